#pragma once

// Registers, once at start-up, the faces that stand in for the Windows fonts
// the screens and prints ask for by name where the system has no metric twin
// of its own (left alone, fontconfig would offer a symbol face for Impact).
void RegisterFontSubstitutes();
