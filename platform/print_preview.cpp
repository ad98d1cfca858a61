#include "platform/print_preview.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/qt_printer.h"

namespace vetra {

namespace {

QPushButton* AddButton(QHBoxLayout* row, const QString& text, const char* name) {
  auto* button = new QPushButton(text);
  button->setObjectName(QString::fromLatin1(name));
  button->setAutoDefault(false);
  row->addWidget(button);
  return button;
}

QString PageCountText(int pages) {
  return pages == 1 ? QStringLiteral("1 página") : QStringLiteral("%1 páginas").arg(pages);
}

}  // namespace

bool ShowPrintPreview(QWidget* parent, const std::function<void(Printer&)>& job) {
  const std::unique_ptr<QPrinter> device = MakeDefaultQPrinter();
  QDialog dialog(parent);
  dialog.setObjectName(QStringLiteral("vistaPrevia"));
  dialog.setWindowTitle(QStringLiteral("Vista previa"));
  dialog.resize(720, 860);

  auto* pages = new QPrintPreviewWidget(device.get());
  pages->setObjectName(QStringLiteral("paginas"));
  QObject::connect(pages, &QPrintPreviewWidget::paintRequested, [&job](QPrinter* printer) {
    QtPrinter view(*printer);
    job(view);
  });

  auto* buttons = new QHBoxLayout;
  auto* count = new QLabel;
  count->setObjectName(QStringLiteral("numeroPaginas"));
  buttons->addWidget(count);
  buttons->addStretch();
  QObject::connect(AddButton(buttons, QStringLiteral("Ampliar"), "ampliar"), &QPushButton::clicked, pages,
                   [pages] { pages->zoomIn(); });
  QObject::connect(AddButton(buttons, QStringLiteral("Reducir"), "reducir"), &QPushButton::clicked, pages,
                   [pages] { pages->zoomOut(); });
  QObject::connect(AddButton(buttons, QStringLiteral("Ajustar al ancho"), "ajustar"), &QPushButton::clicked, pages,
                   &QPrintPreviewWidget::fitToWidth);
  QPushButton* print = AddButton(buttons, QStringLiteral("Imprimir"), "imprimir");
  print->setDefault(true);
  QObject::connect(print, &QPushButton::clicked, &dialog, &QDialog::accept);
  QObject::connect(AddButton(buttons, QStringLiteral("Cancelar"), "cancelar"), &QPushButton::clicked, &dialog,
                   &QDialog::reject);
  QObject::connect(pages, &QPrintPreviewWidget::previewChanged, count,
                   [count, pages] { count->setText(PageCountText(pages->pageCount())); });

  auto* layout = new QVBoxLayout(&dialog);
  layout->addWidget(pages);
  layout->addLayout(buttons);
  pages->fitToWidth();
  pages->updatePreview();
  print->setFocus();
  return dialog.exec() == QDialog::Accepted;
}

}  // namespace vetra
