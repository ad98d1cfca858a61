// Makes the shipped data files into the folder given, normally
// resources/data. Run by hand when the samples change; the test of the
// sample data checks that what ships is what this makes.
#include <cstdio>
#include <string>

#include "app/app_state.h"
#include "app/file_errors.h"
#include "tools/sample_data.h"

namespace {

class PrintingReporter : public vetra::FileErrorReporter {
 public:
  void Report(const std::string& message) override { std::fprintf(stderr, "%s\n", message.c_str()); }
};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
    return 2;
  }
  PrintingReporter reporter;
  vetra::AppState app;
  app.dataFolder = argv[1];
  app.reporter = &reporter;
  const int number = vetra::WriteSampleData(app);
  if (number) std::fprintf(stderr, "error %d\n", number);
  return number ? 1 : 0;
}
