#pragma once

class Form1;

// The shown main window that the window benchmarks share, in a folder of its own.
Form1& BenchWindow();

// Runs the benchmarks of a program that needs a QApplication (offscreen unless a platform
// is named).
int RunWindowBenchmarks(int argc, char** argv);
