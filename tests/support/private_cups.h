#pragma once
// A CUPS server of a test's own, in the test's temporary folder, with queues
// that turn jobs into PDF files as cups-pdf does: CUPS's own filters make
// PostScript for the queue's PPD, and a backend turns it into a PDF with
// Ghostscript. The backend is ours because cups-pdf reads its output folder
// from /etc/cups, which a test must not touch; the rest of the chain is the
// system's.
#include <QProcess>
#include <QString>
#include <QStringList>

#include "tests/support/temp_folder.h"

namespace vetra::testing {

class PrivateCups {
 public:
  // Starts cupsd on a socket in `folder` and sends a page through it.
  explicit PrivateCups(const TempFolder& folder);
  ~PrivateCups();  // stops it
  PrivateCups(const PrivateCups&) = delete;
  PrivateCups& operator=(const PrivateCups&) = delete;

  // Why the server is not there; empty when it runs.
  const QString& Failure() const { return failure_; }
  QString Socket() const;

  // A queue named `name` with the cups-pdf PPD, its hardware margins and
  // printable areas set to `margin` points on every side. Empty on success,
  // else what lpadmin said.
  QString AddQueue(const QString& name, int margin, bool makeDefault);

  // The file of the queue's job number `count` (1 for its first), once the
  // job has gone through; empty if it does not within a minute.
  QString WaitForJob(const QString& queue, int count) const;

 private:
  bool Configure();
  // Runs a CUPS client on the server; empty when it succeeds, else what it said.
  QString Run(const QString& program, const QStringList& arguments) const;
  QString OutputFolder(const QString& queue) const;
  QStringList Made(const QString& queue) const;

  QString root_;
  QString failure_;
  QProcess server_;
};

}  // namespace vetra::testing
