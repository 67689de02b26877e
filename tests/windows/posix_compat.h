// The one POSIX call the shared test helpers use that mingw lacks.
#pragma once

#ifdef __cplusplus
extern "C"
#endif
char* mkdtemp(char* pattern);
