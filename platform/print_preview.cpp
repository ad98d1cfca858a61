#include "platform/print_preview.h"

#include <QComboBox>
#include <QDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QVBoxLayout>
#include <memory>

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

// The system's printers, then the PDF file (an empty name), the printer in
// use selected.
QComboBox* PrinterList() {
  auto* list = new QComboBox;
  list->setObjectName(QStringLiteral("impresora"));
  for (const QString& name : QPrinterInfo::availablePrinterNames()) list->addItem(name, name);
  list->addItem(QStringLiteral("Fichero PDF"), QString());
  list->setCurrentIndex(std::max(list->findData(CurrentPrinterName()), 0));
  return list;
}

// The pages as one printer lays them out; the printer outlives the widget
// that draws on it.
class Pages {
 public:
  Pages(const QString& printer, const std::function<void(Printer&)>& job)
      : device_(MakeQPrinter(printer)), widget_(new QPrintPreviewWidget(device_.get())) {
    widget_->setObjectName(QStringLiteral("paginas"));
    QObject::connect(widget_, &QPrintPreviewWidget::paintRequested, [&job](QPrinter* device) {
      QtPrinter view(*device);
      job(view);
    });
  }
  ~Pages() { delete widget_; }
  Pages(const Pages&) = delete;
  Pages& operator=(const Pages&) = delete;
  QPrintPreviewWidget* Widget() const { return widget_; }

 private:
  std::unique_ptr<QPrinter> device_;
  QPrintPreviewWidget* widget_;
};

}  // namespace

bool ShowPrintPreview(QWidget* parent, const std::function<void(Printer&)>& job) {
  QDialog dialog(parent);
  dialog.setObjectName(QStringLiteral("vistaPrevia"));
  dialog.setWindowTitle(QStringLiteral("Vista previa"));
  dialog.resize(720, 860);

  auto* buttons = new QHBoxLayout;
  auto* count = new QLabel;
  count->setObjectName(QStringLiteral("numeroPaginas"));
  buttons->addWidget(count);
  buttons->addStretch();
  QComboBox* printers = PrinterList();
  buttons->addWidget(printers);
  QPushButton* zoomIn = AddButton(buttons, QStringLiteral("Ampliar"), "ampliar");
  QPushButton* zoomOut = AddButton(buttons, QStringLiteral("Reducir"), "reducir");
  QPushButton* fit = AddButton(buttons, QStringLiteral("Ajustar al ancho"), "ajustar");
  QPushButton* print = AddButton(buttons, QString(), "imprimir");
  print->setDefault(true);
  QObject::connect(print, &QPushButton::clicked, &dialog, &QDialog::accept);
  QObject::connect(AddButton(buttons, QStringLiteral("Cancelar"), "cancelar"), &QPushButton::clicked, &dialog,
                   &QDialog::reject);

  auto* layout = new QVBoxLayout(&dialog);
  layout->addLayout(buttons);
  std::unique_ptr<Pages> pages;
  // The pages are laid out again on the printer picked: its printable area
  // is where they will land.
  const auto show = [&] {
    const QString printer = printers->currentData().toString();
    print->setText(printer.isEmpty() ? QStringLiteral("Guardar en PDF") : QStringLiteral("Imprimir"));
    pages = std::make_unique<Pages>(printer, job);
    QPrintPreviewWidget* widget = pages->Widget();
    layout->insertWidget(0, widget);
    QObject::connect(widget, &QPrintPreviewWidget::previewChanged, count,
                     [count, widget] { count->setText(PageCountText(widget->pageCount())); });
    QObject::connect(zoomIn, &QPushButton::clicked, widget, [widget] { widget->zoomIn(); });
    QObject::connect(zoomOut, &QPushButton::clicked, widget, [widget] { widget->zoomOut(); });
    QObject::connect(fit, &QPushButton::clicked, widget, &QPrintPreviewWidget::fitToWidth);
    widget->fitToWidth();
    widget->updatePreview();
  };
  show();
  QObject::connect(printers, &QComboBox::currentIndexChanged, &dialog, show);
  print->setFocus();
  if (dialog.exec() != QDialog::Accepted) return false;
  // A printer other than the one in use stays chosen for the session.
  if (printers->currentData().toString() != CurrentPrinterName()) ChoosePrinter(printers->currentData().toString());
  return true;
}

}  // namespace vetra
