#include "maintenance/matchday_deletion.h"

#include <string>
#include <utility>

#include "app/app_state.h"
#include "app/data_folder.h"
#include "app/file_io.h"
#include "matchdays/matchday_file.h"
#include "reductions/base_file.h"
#include "reductions/column_file.h"

namespace vetra {

void DeleteMatchdays(AppState& app, int first, int last) {
  const std::string blankRecord(kMatchdayRecordSize, ' ');
  for (int matchday = first; matchday <= last; ++matchday) {
    // A record that cannot be written stays as it was; the index and the
    // columns of the matchday go all the same.
    WriteMatchdayRecord(app, matchday, blankRecord);
    // Without an index there is no entry to free, and nothing to say thirty
    // times over.
    if (FileExists(DataFilePath(app, kBaseFile)))
      for (int order = 1; order <= kDeletedOrders; ++order) FreeBase(app, matchday, order);
    // The column files are removed silently: a file that will not go is
    // left behind without a message.
    FileErrorReporter* reporter = std::exchange(app.reporter, nullptr);
    DeleteMatchdayColumnFiles(app, matchday);
    app.reporter = reporter;
  }
}

}  // namespace vetra
