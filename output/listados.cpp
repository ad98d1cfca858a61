#include "output/listados.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QRadioButton>
#include <QScreen>
#include <algorithm>
#include <filesystem>
#include <initializer_list>

#include "app/app_state.h"
#include "app/drawing.h"
#include "app/mensajes.h"
#include "app/numbers.h"
#include "app/pointers.h"
#include "app/section_screen.h"
#include "app/sounds.h"
#include "app/wait.h"
#include "matchdays/matchday_file.h"
#include "output/address_file.h"
#include "output/disk_copy.h"
#include "output/guarantee_listing.h"
#include "output/listings.h"
#include "output/mail_dispatch.h"
#include "output/print_job.h"
#include "output/slip_printing.h"
#include "platform/drives.h"
#include "platform/locale_marks.h"
#include "platform/mail_transport.h"
#include "platform/message_box.h"
#include "platform/print_preview.h"
#include "platform/qt_printer.h"
#include "platform/text.h"

namespace vetra {
namespace {

constexpr int kScreenWidth = 460;
constexpr int kCaptionTop = 12;
constexpr int kEditorWidth = 64;
constexpr int kOptionPitch = 20;
constexpr int kButtonsTop = 270;
constexpr int kBottomMargin = 14;
constexpr int kActionLeft = 320;
constexpr int kButtonPitch = 46;

// The places of the numeric fields, two to a row.
// The status lines broken between words to fit `width`; a word too long for
// a line of its own (a folder) loses its middle, keeping where it starts and
// the file's name readable.
QStringList FittedLines(const QString& text, const QFontMetrics& metrics, int width) {
  QStringList lines;
  for (const QString& paragraph : text.split(QLatin1Char('\n'))) {
    QString line;
    for (QString word : paragraph.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
      if (metrics.horizontalAdvance(word) > width) word = metrics.elidedText(word, Qt::ElideMiddle, width);
      const QString joined = line.isEmpty() ? word : line + QLatin1Char(' ') + word;
      if (line.isEmpty() || metrics.horizontalAdvance(joined) <= width) {
        line = joined;
      } else {
        lines << line;
        line = word;
      }
    }
    lines << line;
  }
  return lines;
}

constexpr QRect kFieldPlaces[] = {{20, 45, 200, 30}, {240, 45, 200, 30}, {20, 110, 200, 30}, {240, 110, 200, 30}};
// The options frame; the status panel takes its place while an output runs.
constexpr QRect kOptionsPlace(20, 170, 310, 70);
// The basic data has one field only: a shorter screen.
constexpr QRect kShortStatusPlace(20, 100, 310, 60);
constexpr int kShortButtonsTop = 180;
constexpr QRect kDiskOptionsPlace(20, 100, 330, 160);
// The mail screen: the addresses, the new address under its title, and the
// data to send to their right, all inside the screen.
constexpr int kAddressWidth = 230;
constexpr int kNewAddressTop = 224;
constexpr int kMailDataLeft = 266;

enum OutputType { kBasicData, kSlips, kRelation, kDisk, kContinuous, kMail };

struct OutputKind {
  const char* caption;
  int helpTopic;
};
constexpr OutputKind kKinds[] = {{"Imprimir los datos básicos de la reducción", 2410},
                                 {"Imprimir boletos individuales", 2420},
                                 {"Imprimir relación de boletos", 2440},
                                 {"Copiar apuestas a disco", 2450},
                                 {"Imprimir boletos en papel continuo", 2430},
                                 {"Enviar datos por correo electrónico", 2460}};

// A run drawn in the preview: it shows, asks and waits for nothing.
class QuietRun final : public OutputRun {
 public:
  void ShowStatus(const std::string& /*text*/) override {}
  bool Cancelled() override { return false; }
  void Warn(const std::string& /*title*/, const std::string& /*text*/) override {}
  void JobEnded(const std::string& /*error*/) override {}
};

bool IsSlipOutput(int type) { return type == kSlips || type == kContinuous; }

void SetShown(std::initializer_list<QWidget*> widgets, bool shown) {
  for (QWidget* w : widgets)
    if (w) w->setVisible(shown);
}

void SetEnabled(std::initializer_list<QWidget*> widgets, bool enabled) {
  for (QWidget* w : widgets)
    if (w) w->setEnabled(enabled);
}

// Texts of controls drawn on the green ground.
void OnGround(QWidget* control) {
  control->setFont(ScreenFont(true));
  QPalette palette = control->palette();
  palette.setColor(QPalette::WindowText, Bgr(colour::kWhite));
  control->setPalette(palette);
}

}  // namespace

Listados::Listados(AppState& app, QWidget* parent)
    : QDialog(parent), app_(app), type_(std::clamp<int>(app.outputType, kBasicData, kMail)) {
  setObjectName(QStringLiteral("listados"));
  setWindowTitle(QString::fromUtf8(kKinds[type_].caption));
  buttonsTop_ = type_ == kBasicData ? kShortButtonsTop : kButtonsTop;
  const QSize size(kScreenWidth, buttonsTop_ + 36 + kBottomMargin);
  setFixedSize(size);
  if (const QScreen* screen = QGuiApplication::primaryScreen()) move(screen->geometry().center() - rect().center());

  surface_ = new DrawingSurface(this, size);
  optionsRect_ = type_ == kBasicData ? kShortStatusPlace : kOptionsPlace;
  connect(surface_, &DrawingSurface::Pressed, this, &Listados::PressAt);
  connect(surface_, &DrawingSurface::Moved, this, &Listados::MoveAt);

  values_.lastSlip = app_.slipCount;
  values_.leftOffset = type_ == kContinuous ? app_.printAdjust3 : app_.printAdjust1;
  values_.topOffset = type_ == kContinuous ? app_.printAdjust4 : app_.printAdjust2;
  BuildFields();
  if (type_ == kSlips) BuildSlipOptions();
  if (IsSlipOutput(type_)) {
    pruImp_ = AddCheckBox("Chk_PruImp", QStringLiteral("Prueba de impresión"),
                          type_ == kSlips ? QPoint(20, 280) : QPoint(28, 190));
    connect(pruImp_, &QCheckBox::toggled, this, &Listados::UpdatePrintPointer);
  }
  if (type_ == kRelation) {
    anchoPapel_ = new QListWidget(this);
    anchoPapel_->setObjectName(QStringLiteral("Lis_AnchoPapel"));
    anchoPapel_->addItems({QStringLiteral("Papel estrecho (Din A4)"), QStringLiteral("Papel ancho (350 mm.)")});
    anchoPapel_->setFont(ScreenFont(false));
    anchoPapel_->setGeometry(20, 110, 200, 40);
    anchoPapel_->setCurrentRow(0);
  }
  if (type_ == kDisk) BuildDiskOptions();
  if (type_ == kMail) BuildMailOptions();
  BuildButtons();
  DrawScreen();
  UpdatePrintPointer();
  ShowNormalPointer();
}

void Listados::BuildFields() {
  struct Wanted {
    OutputField kind;
    const char* name;
    const char* label;
  };
  std::vector<Wanted> wanted;
  if (type_ == kBasicData) wanted = {{OutputField::Copies, "Tex_Copias", "Copias a imprimir:"}};
  if (type_ == kRelation || IsSlipOutput(type_))
    wanted = {{OutputField::FirstSlip, "Tex_BolIni", "Boleto Inicial:"},
             {OutputField::LastSlip, "Tex_BolFin", "Boleto Final:"}};
  if (IsSlipOutput(type_)) {
    wanted.push_back({OutputField::LeftOffset, "Tex_MarIzq", "Margen Izquierdo:"});
    wanted.push_back({OutputField::TopOffset, "Tex_MarSup", "Margen Superior:"});
  }
  for (std::size_t i = 0; i < wanted.size(); ++i) {
    Field field{wanted[i].kind, kFieldPlaces[i], QString::fromUtf8(wanted[i].label)};
    field.box = AddTextBox(this, QString::fromLatin1(wanted[i].name), OutputFieldLength(field.kind, app_.slipCount),
                           kEditorWidth);
    field.box->move(field.rect.center().x() - kEditorWidth / 2, field.rect.bottom() + 2);
    field.box->hide();
    field.box->installEventFilter(this);
    QLineEdit* box = field.box;
    const OutputField kind = field.kind;
    connect(box, &QLineEdit::textEdited, this, [box, kind] {
      const QString text = FromFileText(TypedOutputText(kind, ToFileText(box->text())));
      if (text != box->text()) box->setText(text);
    });
    fields_.push_back(field);
  }
}

QCheckBox* Listados::AddCheckBox(const char* name, const QString& text, QPoint at) {
  auto* box = new QCheckBox(text, this);
  box->setObjectName(QString::fromLatin1(name));
  OnGround(box);
  box->adjustSize();
  box->move(at);
  return box;
}

QWidget* Listados::AddOptionsFrame(const char* name, const char* optionName, const QString& title,
                                   const QRect& rect, const std::vector<QString>& options, QButtonGroup*& group) {
  optionsRect_ = rect;
  optionsTitle_ = title;
  auto* frame = new QWidget(this);
  frame->setObjectName(QString::fromLatin1(name));
  frame->setGeometry(rect.adjusted(2, 10, -2, -2));
  group = new QButtonGroup(frame);
  for (std::size_t i = 0; i < options.size(); ++i) {
    auto* option = new QRadioButton(options[i], frame);
    option->setObjectName(QString::fromLatin1(optionName));
    OnGround(option);
    option->adjustSize();
    option->move(10, 4 + kOptionPitch * static_cast<int>(i));
    group->addButton(option, static_cast<int>(i));
  }
  group->button(0)->setChecked(true);
  return frame;
}

void Listados::BuildSlipOptions() {
  options_ = AddOptionsFrame("Fra_OpcionesBoletos", "Opt_Reverso", QStringLiteral("Tipo de listado "), kOptionsPlace,
                             {QStringLiteral("Imprimir en el anverso"),
                              QStringLiteral("Imprimir en el reverso o en papel en blanco")},
                             reverso_);
  orientacion_ = new PictureButton(this, QStringLiteral("Orientacion"), QPoint(362, 180));
  SetPointer(orientacion_, QStringLiteral("ManoIndice"));
  connect(orientacion_, &PictureButton::Pressed, this, &Listados::SwitchOrientation);
  ShowOrientation();
}

void Listados::BuildDiskOptions() {
  nombreArchivo_ = AddTextBox(this, QStringLiteral("Tex_NombreArchivo"), 50, 160);
  nombreArchivo_->move(20, 64);
  nombreArchivo_->setText(QStringLiteral("AD243"));
  unidad_ = new QListWidget(this);
  unidad_->setObjectName(QStringLiteral("Lis_Unidad"));
  unidad_->setFont(ScreenFont(false));
  // As wide as the screen allows; a long folder loses its middle, never its
  // name, and needs no sideways scrolling.
  unidad_->setGeometry(240, 64, kScreenWidth - 20 - 240, 28);
  unidad_->setTextElideMode(Qt::ElideMiddle);
  unidad_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  for (const std::string& drive : DriveList()) {
    unidad_->addItem(QString::fromStdString(drive));
    unidad_->item(unidad_->count() - 1)->setToolTip(QString::fromStdString(drive));
  }
  unidad_->setCurrentRow(0);
  options_ = AddOptionsFrame("Fra_OpcionesDisco", "Opt_Exportar", QStringLiteral("Formato de salida "),
                             kDiskOptionsPlace,
                             {QStringLiteral("Formato AD243"), QStringLiteral("Apuestas en formato continuo"),
                              QStringLiteral("Apuestas en columna"),
                              QStringLiteral("Apuestas delimitadas y separadas por comas"),
                              QStringLiteral("Apuestas delimitadas y en columnas"),
                              QStringLiteral("Signos delimitados y separados por comas"),
                              QStringLiteral("Signos delimitados y en columnas")},
                             exportar_);
  AddCheckBox("Chk_Garantia", QStringLiteral("Copiar también la garantía"), QPoint(20, 268));
  // Each format proposes its own file name.
  connect(exportar_, &QButtonGroup::idClicked, this, [this](int format) {
    nombreArchivo_->setText(
        QString::fromStdString(DefaultExportFileName(format, app_.currentMatchday, app_.currentOrder)));
  });
}

void Listados::BuildMailOptions() {
  direcciones_ = new QListWidget(this);
  direcciones_->setObjectName(QStringLiteral("Lis_Direcciones"));
  direcciones_->setFont(ScreenFont(false));
  direcciones_->setSelectionMode(QAbstractItemView::MultiSelection);
  direcciones_->setSortingEnabled(true);
  direcciones_->setGeometry(20, 64, kAddressWidth, 136);
  for (const std::string& address : LoadAddressList(app_)) direcciones_->addItem(FromFileText(address));
  direcciones_->selectAll();
  nuevaDireccion_ = AddTextBox(this, QStringLiteral("Tex_NuevaDireccion"), 50, kAddressWidth);
  nuevaDireccion_->move(20, kNewAddressTop);
  connect(nuevaDireccion_, &QLineEdit::returnPressed, this, &Listados::AnadeDireccion);
  connect(direcciones_, &QListWidget::itemDoubleClicked, this, &Listados::RecuperaDireccion);
  AddCheckBox("Chk_MailBase", QStringLiteral("Quiniela base y condiciones"), QPoint(kMailDataLeft, 64))
      ->setChecked(true);
  AddCheckBox("Chk_MailColumnas", QStringLiteral("Columnas reducidas"), QPoint(kMailDataLeft, 88));
  AddCheckBox("Chk_Garantia", QStringLiteral("Garantía de la reducción"), QPoint(kMailDataLeft, 112));
}

void Listados::BuildButtons() {
  const QString actionName = type_ == kDisk   ? QStringLiteral("Copiar")
                             : type_ == kMail ? QStringLiteral("Enviar")
                                              : QStringLiteral("Imprimir");
  // Cancel, repeat and next take the places of the action, help and exit.
  const QPoint action(kActionLeft, buttonsTop_), middle(kActionLeft + kButtonPitch, buttonsTop_),
      right(kActionLeft + 2 * kButtonPitch, buttonsTop_);
  accion_ = new PictureButton(this, actionName, action);
  ayuda_ = AddHelpButton(this, app_, kKinds[type_].helpTopic, middle);
  salir_ = new PictureButton(this, QStringLiteral("Salir"), right);
  cancelar_ = new PictureButton(this, QStringLiteral("Cancelar"), action);
  repetir_ = new PictureButton(this, QStringLiteral("Repetir"), middle);
  siguiente_ = new PictureButton(this, QStringLiteral("Siguiente"), right);
  for (PictureButton* b : {salir_, cancelar_, repetir_, siguiente_}) SetPointer(b, QStringLiteral("ManoIndice"));
  for (PictureButton* b : {cancelar_, repetir_, siguiente_}) b->hide();
  if (type_ == kMail)
    connect(accion_, &PictureButton::Pressed, this, &Listados::EnviarCorreo);
  else if (type_ == kDisk)
    connect(accion_, &PictureButton::Pressed, this, &Listados::Copiar);
  else
    connect(accion_, &PictureButton::Pressed, this, &Listados::Imprimir);
  connect(salir_, &PictureButton::Pressed, this, &Listados::Leave);
  const auto flag = [this](bool& requested) {
    return [this, &requested] {
      PlaySoundEffect(app_, 9);
      requested = true;
    };
  };
  connect(cancelar_, &PictureButton::Pressed, this, flag(cancelRequested_));
  connect(repetir_, &PictureButton::Pressed, this, flag(repeatRequested_));
  connect(siguiente_, &PictureButton::Pressed, this, flag(nextRequested_));
}

void Listados::DrawScreen() {
  surface_->Clear(colour::kGround);
  {
    QPainter p(&surface_->Image());
    DrawShadowText(p, 20, kCaptionTop, windowTitle());
    if (type_ == kDisk) {
      DrawShadowText(p, 20, 47, QStringLiteral("Nombre del archivo"));
      DrawShadowText(p, 240, 47, QStringLiteral("Unidad de destino:"));
    }
    if (type_ == kMail) {
      DrawShadowText(p, 20, 47, QStringLiteral("Direcciones de destino"));
      DrawShadowText(p, kMailDataLeft, 47, QStringLiteral("Datos a enviar"));
      DrawShadowText(p, 20, kNewAddressTop - 17, QStringLiteral("Nueva dirección"));
    }
  }
  for (const Field& field : fields_) DrawField(field);
  if (options_) DrawOptionsFrame();
  surface_->update();
}

void Listados::DrawField(const Field& field) {
  QPainter p(&surface_->Image());
  const QRect& r = field.rect;
  DrawPanel(p, r.x(), r.y(), r.width(), r.height(),
            field.label + QStringLiteral("  ") + QString::number(OutputFieldValue(field.kind, values_)),
            QStringLiteral(" "));
  surface_->update();
}

void Listados::DrawOptionsFrame() {
  QPainter p(&surface_->Image());
  p.setFont(ScreenFont(true));
  const int width = QFontMetrics(p.font()).horizontalAdvance(optionsTitle_) + 10;
  const QRect strip(optionsRect_.x() + 12, optionsRect_.y() - 8, width, 15);
  DrawTitledFrame(p, optionsRect_, strip, strip.topLeft() + QPoint(5, 0), optionsTitle_);
  surface_->update();
}

void Listados::DrawStatus(const QString& text) {
  {
    QPainter p(&surface_->Image());
    const QRect area = optionsRect_.adjusted(-2, -9, 3, 3);
    p.fillRect(area, Bgr(colour::kGround));
    if (!text.isNull()) {
      p.fillRect(optionsRect_.translated(3, 3), Bgr(colour::kBlack));
      p.fillRect(optionsRect_, Bgr(colour::kSilver));
      p.setPen(Bgr(colour::kRed));
      p.drawRect(optionsRect_);
      p.setFont(ScreenFont(true));
      p.setPen(Bgr(0x800000));
      const QRect inside = optionsRect_.adjusted(6, 4, -6, -4);
      p.drawText(inside, Qt::AlignCenter, FittedLines(text, p.fontMetrics(), inside.width()).join(QLatin1Char('\n')));
    }
  }
  surface_->repaint();
}

void Listados::PressAt(QPoint point) {
  if (running_) return;
  for (Field& field : fields_)
    if (field.rect.contains(point)) ToggleField(field);
}

void Listados::MoveAt(QPoint point) {
  int zone = 0;
  for (std::size_t i = 0; i < fields_.size(); ++i)
    if (fields_[i].rect.contains(point)) zone = static_cast<int>(i) + 1;
  SetZonePointer(zone_, surface_, zone, QStringLiteral("ManoIndice"));
}

void Listados::ToggleField(Field& field) {
  if (field.open) {
    CommitField(field);
    return;
  }
  for (Field& other : fields_)
    if (other.open) CommitField(other);
  field.box->setMaxLength(OutputFieldLength(field.kind, app_.slipCount));
  field.box->setText(QString::number(OutputFieldValue(field.kind, values_)));
  field.box->selectAll();
  OpenPanelEditor(app_, surface_, field.rect, field.box);
  field.open = true;
}

void Listados::CommitField(Field& field) {
  PlaySoundEffect(app_, 7);
  // Closed before hiding: hiding takes the focus away, which commits an open field.
  field.open = false;
  field.box->hide();
  CommitOutputField(field.kind, ToFileText(field.box->text()), app_.slipCount, values_);
  const bool continuous = type_ == kContinuous;
  if (field.kind == OutputField::LeftOffset)
    (continuous ? app_.printAdjust3 : app_.printAdjust1) = static_cast<std::int16_t>(values_.leftOffset);
  if (field.kind == OutputField::TopOffset)
    (continuous ? app_.printAdjust4 : app_.printAdjust2) = static_cast<std::int16_t>(values_.topOffset);
  // The other slip field may have followed.
  for (const Field& f : fields_) DrawField(f);
}

bool Listados::eventFilter(QObject* watched, QEvent* event) {
  for (Field& field : fields_) {
    if (watched != field.box || !field.open) continue;
    if (event->type() == QEvent::KeyPress) {
      const int key = static_cast<QKeyEvent*>(event)->key();
      if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        CommitField(field);
        return true;
      }
    }
    if (event->type() == QEvent::FocusOut) {
      // Switching to another window is not leaving the box.
      const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
      if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) CommitField(field);
    }
  }
  return QDialog::eventFilter(watched, event);
}

void Listados::SwitchOrientation() {
  if (running_) return;
  PlaySoundEffect(app_, 9);
  app_.printOrientation = app_.printOrientation == 2 ? 1 : 2;
  ShowOrientation();
}

void Listados::ShowOrientation() {
  orientacion_->setPixmap(ButtonPicture(app_.printOrientation == 2 ? QStringLiteral("Orientacion2")
                                                                   : QStringLiteral("Orientacion1")));
  orientacion_->setFixedSize(orientacion_->pixmap().size());
}

// The action button has something to do with a stored reduction loaded, or
// with a test print, which needs none.
void Listados::UpdatePrintPointer() {
  const bool loaded = app_.directBets != 1 && app_.slipCount > 0;
  ShowButtonActive(accion_, loaded || (pruImp_ && pruImp_->isChecked()));
}

void Listados::Imprimir() {
  if (running_ || !ButtonIsActive(accion_)) return;
  for (Field& field : fields_)
    if (field.open) CommitField(field);
  // What will be printed is looked at first, on the printer it will go to.
  const auto preview = [this](Printer& printer) {
    QuietRun quiet;
    RunOutput(printer, quiet);
  };
  if (!ShowPrintPreview(this, preview)) return;
  ShowHourglass();
  PlaySoundEffect(app_, 9);
  SetShown({ayuda_, salir_, accion_}, false);
  cancelar_->show();
  SetEnabled({orientacion_, pruImp_, anchoPapel_}, false);
  running_ = true;
  cancelRequested_ = repeatRequested_ = nextRequested_ = false;
  pdfFiles_.clear();
  {
    const std::unique_ptr<Printer> printer = MakeJobPrinter();
    printer_ = printer.get();
    RunOutput(*printer, *this);
    printer_ = nullptr;
  }
  DrawStatus(QString());
  if (options_) {
    options_->show();
    DrawOptionsFrame();
  }
  SetShown({repetir_, siguiente_, cancelar_}, false);
  SetShown({pruImp_, ayuda_, salir_, accion_}, true);
  SetEnabled({orientacion_, pruImp_, anchoPapel_}, true);
  running_ = false;
  ShowNormalPointer();
  TellWherePdfsWent();
}

void Listados::RunOutput(Printer& printer, OutputRun& run) {
  const NumberMarks marks = LocaleMarks();
  const SlipOptions slips{values_.firstSlip, values_.lastSlip, pruImp_ && pruImp_->isChecked(),
                          reverso_ && reverso_->checkedId() == 1};
  switch (type_) {
    case kBasicData: PrintReductionSummary(printer, app_, values_.copies, run, marks); break;
    case kSlips: PrintIndividualSlips(printer, app_, slips, run, marks); break;
    case kRelation:
      PrintSlipRelation(printer, app_, values_.firstSlip, values_.lastSlip, anchoPapel_->currentRow() == 1, run);
      break;
    case kContinuous: ImpriContinuo(printer, app_, slips, run, marks); break;
    default: break;
  }
}

// The copy to disk: the status panel and the cancel button take the place of
// the options and the buttons while the columns are written.
void Listados::Copiar() {
  if (running_ || !ButtonIsActive(accion_)) return;
  ShowHourglass();
  PlaySoundEffect(app_, 9);
  // The screen's side of the copy; the questions go to the message dialog.
  class Run : public DiskCopyRun {
   public:
    explicit Run(Listados& screen) : screen_(screen) {}
    void Started() override { screen_.Started(); }
    void ShowStatus(const std::string& text) override { screen_.ShowStatus(text); }
    bool Cancelled() override { return screen_.Cancelled(); }
    void Warn(const std::string& title, const std::string& text) override { screen_.Warn(title, text); }
    bool AskForDisk(const std::string& title, const std::string& text) override {
      screen_.app_.copyPressed = false;
      ShowMessage(screen_.app_, QString::fromStdString(title), QString::fromStdString(text), {Answer::Copiar});
      return screen_.app_.copyPressed;
    }
    void Stopping() override { screen_.cancelar_->hide(); }
    void Pause(int milliseconds) override { WaitMilliseconds(static_cast<std::int16_t>(milliseconds)); }

   private:
    Listados& screen_;
  } run(*this);
  const QListWidgetItem* drive = unidad_->currentItem() ? unidad_->currentItem() : unidad_->item(0);
  const DiskCopyRequest request{exportar_->checkedId(), drive ? drive->text().toStdString() : std::string(),
                                nombreArchivo_->text().toStdString()};
  SetShown({ayuda_, salir_, accion_}, false);
  SetEnabled({nombreArchivo_, unidad_}, false);
  cancelar_->show();
  running_ = true;
  cancelRequested_ = false;
  const DiskCopyResult copy = CopyToDisk(app_, request, run);
  // The guarantee goes into a file of its own beside the columns, so that the
  // copied formats stay as they are.
  if (copy.outcome == DiskCopyOutcome::Copied && findChild<QCheckBox*>(QStringLiteral("Chk_Garantia"))->isChecked())
    WriteGuaranteeFile(app_, request.driveFolder + Trimmed(request.fileName), LocaleMarks());
  DrawStatus(QString());
  options_->show();
  DrawOptionsFrame();
  SetShown({ayuda_, salir_, accion_}, true);
  SetEnabled({nombreArchivo_, unidad_}, true);
  running_ = false;
  ShowNormalPointer();
}

// Enter in the new address's box: the list puts it at its sorted place.
void Listados::AnadeDireccion() {
  if (nuevaDireccion_->text().trimmed().isEmpty()) return;
  PlaySoundEffect(app_, 9);
  // Selected, so that the next sending includes what was just typed.
  auto* item = new QListWidgetItem(nuevaDireccion_->text(), direcciones_);
  item->setSelected(true);
  nuevaDireccion_->clear();
}

// A double click takes an address out of the list into the box, to be
// corrected and put back with Enter.
void Listados::RecuperaDireccion(QListWidgetItem* item) {
  PlaySoundEffect(app_, 9);
  nuevaDireccion_->setText(item->text());
  nuevaDireccion_->setFocus();
  nuevaDireccion_->end(false);
  delete direcciones_->takeItem(direcciones_->row(item));
}

void Listados::EnviarCorreo() {
  if (running_ || !ButtonIsActive(accion_)) return;
  ShowHourglass();
  PlaySoundEffect(app_, 9);
  std::vector<std::string> addresses;
  for (int i = 0; i < direcciones_->count(); ++i)
    if (direcciones_->item(i)->isSelected()) addresses.push_back(ToFileText(direcciones_->item(i)->text()));
  MailContents contents{findChild<QCheckBox*>(QStringLiteral("Chk_MailBase"))->isChecked(),
                        findChild<QCheckBox*>(QStringLiteral("Chk_MailColumnas"))->isChecked()};
  if (findChild<QCheckBox*>(QStringLiteral("Chk_Garantia"))->isChecked())
    contents.guarantee = CurrentGuaranteeText(app_, LocaleMarks());
  const std::unique_ptr<MailTransport> transport = MakeMailTransport(this);
  const std::vector<std::string> sent = SendReductionMail(app_, *transport, addresses, contents, LocaleMarks());
  ShowNormalPointer();
  if (!sent.empty()) ShowNotice(MailSentSummary(sent));
}

void Listados::Leave() {
  PlaySoundEffect(app_, 5);
  if (running_) {
    cancelRequested_ = true;
    return;
  }
  if (direcciones_) {
    std::vector<std::string> addresses;
    for (int i = 0; i < direcciones_->count(); ++i) addresses.push_back(ToFileText(direcciones_->item(i)->text()));
    WriteAddressList(app_, addresses);
  }
  QDialog::reject();
}

void Listados::reject() { Leave(); }

void Listados::Started() {
  if (options_) options_->hide();
  if (pruImp_) pruImp_->hide();
  if (type_ == kSlips) {
    repetir_->show();
    siguiente_->show();
  }
  DrawStatus(QStringLiteral(""));
}

void Listados::ShowStatus(const std::string& text) { DrawStatus(QString::fromStdString(text)); }

bool Listados::Cancelled() {
  QApplication::processEvents();
  return cancelRequested_;
}

void Listados::Warn(const std::string& title, const std::string& text) {
  ShowMessage(app_, QString::fromStdString(title), QString::fromStdString(text));
}

void Listados::JobEnded(const std::string& error) {
  if (!error.empty()) ShowMessage(app_, QStringLiteral("ERROR DE IMPRESIÓN"), FromMessage(error));
  if (const auto* qtPrinter = dynamic_cast<const QtPrinter*>(printer_))
    if (!qtPrinter->LastPdfFile().empty()) pdfFiles_.push_back(qtPrinter->LastPdfFile());
}

void Listados::LastSlip() {
  siguiente_->hide();
  salir_->show();
}

OperatorAnswer Listados::AwaitOperator() {
  ShowNormalPointer();
  while (!cancelRequested_ && !repeatRequested_ && !nextRequested_)
    QApplication::processEvents(QEventLoop::WaitForMoreEvents);
  if (cancelRequested_) return OperatorAnswer::Cancel;
  ShowHourglass();
  const bool repeat = repeatRequested_;
  repeatRequested_ = nextRequested_ = false;
  return repeat ? OperatorAnswer::Repeat : OperatorAnswer::Next;
}

void Listados::TellWherePdfsWent() {
  if (pdfFiles_.empty()) return;
  const QString where =
      pdfFiles_.size() == 1
          ? QStringLiteral("el fichero ") + QString::fromStdString(pdfFiles_.front())
          : QString::number(pdfFiles_.size()) + QStringLiteral(" ficheros PDF de la carpeta ") +
                QString::fromStdString(std::filesystem::path(pdfFiles_.front()).parent_path().string());
  ShowMessage(app_, QStringLiteral("IMPRESIÓN EN PDF"),
              SavedAsPdfText(QStringLiteral("Lo impreso"), where));
  ShowNormalPointer();
}

}  // namespace vetra
