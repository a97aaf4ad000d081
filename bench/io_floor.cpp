// The least work any publishing run must do, for comparison: read the project
// into memory and write as many bytes as the published folder holds, each
// file through a temporary file renamed over the old one as publishing does,
// without parsing or generating anything.
// Usage: io_floor PROJECT.velm OUT_FOLDER BYTES

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <memory>
#include <string>

namespace {

bool WriteFile(const std::string& path, const char* bytes, size_t size) {
  const std::string temporary = path + ".tmp";
  std::FILE* out = std::fopen(temporary.c_str(), "wb");
  if (!out) return false;
  const bool written = std::fwrite(bytes, 1, size, out) == size;
  return std::fclose(out) == 0 && written && std::rename(temporary.c_str(), path.c_str()) == 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::cerr << "usage: io_floor PROJECT.velm OUT_FOLDER BYTES\n";
    return 2;
  }
  const auto size = static_cast<size_t>(std::filesystem::file_size(argv[1]));
  const std::unique_ptr<char[]> text(new char[size]);
  std::FILE* in = std::fopen(argv[1], "rb");
  if (!in || std::fread(text.get(), 1, size, in) != size) return 1;
  std::fclose(in);

  const std::string folder = argv[2];
  const size_t total = std::strtoull(argv[3], nullptr, 10);
  const size_t rest = total > size ? total - size : 0;
  const std::unique_ptr<char[]> filler(new char[rest + 1]());
  return WriteFile(folder + "/project.velm", text.get(), size) &&
                 WriteFile(folder + "/rest.js", filler.get(), rest)
             ? 0
             : 1;
}
