#include "app/run_application.h"

// The platform's entry: the command line is not read.
int main() { return tavrilo::RunApplication(); }
