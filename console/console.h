// The Tab-toggled command line.
#pragma once

constexpr int TokenSlotCount = 20;
constexpr int ConsoleLineSize = 256;

extern int consoleOpen;            // 1 while the console is shown and takes typing
extern int lineReady;              // 1 when Enter ended the line and it waits to be executed
extern char lineText[ConsoleLineSize];
extern int lineLength;
extern char** tokenSlots;          // TokenSlotCount buffers of ConsoleLineSize bytes: the words of the last executed line

void InitConsole();
void RunConsole();
void EditLine(int x, int y, int maxLength, const char* prefix);
void ExecuteLine();                // splits lineText and runs the command it names
void ReleaseConsole();
