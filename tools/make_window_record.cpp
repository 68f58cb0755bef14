// Writes the program's window definition resource to the file named on the command line.
#include <cstdio>
#include <vector>

#include "resources/DefinitionWriter.h"
#include "resources/ProgramWindow.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUTPUT\n", argv[0]);
    return 2;
  }
  std::vector<std::byte> bytes = windef::WriteDefinition(windef::ProgramWindowDefinition());
  std::FILE* file = std::fopen(argv[1], "wb");
  if (!file) {
    std::perror(argv[1]);
    return 1;
  }
  bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  if (std::fclose(file) != 0 || !written) {
    std::perror(argv[1]);
    return 1;
  }
  return 0;
}
