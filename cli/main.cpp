#include <unistd.h>

#include <iostream>

#include "cli/veltctl.h"

int main(int argc, char** argv) {
  return velt::runVeltctl(argc, argv, std::cout, std::cerr, &std::cin, isatty(STDOUT_FILENO));
}
