#include "core/game.h"

int main() { return GameMain(); }
