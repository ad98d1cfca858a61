#include "scrutiny/escrutin.h"

#include <algorithm>

#include <QEvent>
#include <QFontMetrics>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QScreen>
#include <QStyle>

#include "app/app_state.h"
#include "app/drawing.h"
#include "app/help.h"
#include "app/mensajes.h"
#include "app/numbers.h"
#include "app/pointers.h"
#include "app/section_screen.h"
#include "app/sounds.h"
#include "matchdays/matchday_file.h"
#include "output/print_job.h"
#include "platform/locale_marks.h"
#include "platform/text.h"
#include "reductions/base_file.h"
#include "reductions/reduction_tables.h"
#include "reductions/stored_sheet.h"
#include "reductions/summary_drawing.h"
#include "scrutiny/scrutiny_report.h"

namespace vetra {
namespace {

constexpr int kTaskbarBand = 26;  // kept free at the bottom of the display

// The winning grid, of the base's size, stands clear of the last part of the sheet.
constexpr int kNarrowGanadoraOffset = 110;
constexpr int kWideGanadoraOffset = 180;

constexpr int kMargin = 10;
constexpr int kListWidth = 196;
constexpr int kNarrowListWidth = 178;  // without room for a scroll bar
constexpr int kHitLines = 16;
constexpr int kSlipLinesShown = 11;
constexpr int kCaptionGap = 26;   // the title above each list
constexpr int kHeadingGap = 13;   // the column heading above each list
constexpr int kListGap = 32;      // between the two lists, room for the captions

constexpr int kButtonSize = 36;
constexpr int kButtonPitch = 40;

// The prize frame, below the winning grid and left of the lists.
constexpr QSize kFrameSize(124, 144);
constexpr int kFrameTop = 366;
constexpr int kFrameGap = 9;
constexpr int kPrizeRowTop = 20;
constexpr int kPrizeRowPitch = 24;
constexpr int kPrizeBoxLeft = 42;
constexpr QSize kPrizeBoxSize(72, 20);

const QString kErrorTitle = QStringLiteral("ERROR EN JORNADA/ORDEN");
const QString kErrorText = QStringLiteral(
    "No existe una reducción que coincida con la Jornada y el número de Orden que se ha indicado. Sólo se puede "
    "realizar el escrutinio de una reducción existente. Indique los datos correctos o busque en el Índice la "
    "reducción de la que desea efectuar el escrutinio.");

const QPixmap& GlyphStrip() {
  static const QPixmap strip(QStringLiteral(":/signosel.png"));
  return strip;
}

QListWidget* AddResultList(QWidget* parent, const char* name) {
  auto* list = new QListWidget(parent);
  list->setObjectName(QString::fromLatin1(name));
  list->setFont(FixedPitchFont(false));
  list->setUniformItemSizes(true);
  list->setSelectionMode(QAbstractItemView::SingleSelection);
  return list;
}

void FillList(QListWidget* list, const std::vector<std::string>& lines) {
  QStringList entries;
  entries.reserve(static_cast<qsizetype>(lines.size()));
  for (const std::string& line : lines)
    entries << QString::fromLatin1(line.data(), static_cast<qsizetype>(line.size()));
  list->addItems(entries);
}

// The room an item's text has inside a list.
int TextRoom(const QListWidget* list) {
  const int margin = list->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, list) + 1;
  return list->width() - 2 * (list->frameWidth() + margin);
}

// Amounts too wide for the list take a smaller size of its font rather than
// losing their last figures at its edge.
void FitWidestLine(QListWidget* list) {
  constexpr int kSmallestPixels = 8;
  QFont font = FixedPitchFont(false);
  const auto widest = [list](const QFont& f) {
    const QFontMetrics metrics(f);
    int width = 0;
    for (int i = 0; i < list->count(); ++i) width = std::max(width, metrics.horizontalAdvance(list->item(i)->text()));
    return width;
  };
  while (font.pixelSize() > kSmallestPixels && widest(font) > TextRoom(list)) font.setPixelSize(font.pixelSize() - 1);
  list->setFont(font);
}

}  // namespace

Escrutin::Escrutin(AppState& app, QWidget* parent) : QDialog(parent), app_(app) {
  setObjectName(QStringLiteral("escrutin"));
  BuildControls();
  PrepareSheetScreen(app_, sheet_, panels_->Matchdays(), panels_->Orders());
}

void Escrutin::BuildControls() {
  aciertos_ = AddResultList(this, "Lis_Aciertos");
  boletos_ = AddResultList(this, "Lis_Boletos");
  aciertos_->addItem(QStringLiteral("0"));
  const int rowHeight = aciertos_->sizeHintForRow(0);
  aciertos_->clear();
  // Every line of the hits shown; a scroll bar beyond eleven slips.
  const int frames = 2 * aciertos_->frameWidth();
  aciertos_->resize(kListWidth, kHitLines * rowHeight + frames);
  boletos_->resize(kNarrowListWidth, kSlipLinesShown * rowHeight + frames);
  const int buttonsTop = kGridTop + aciertos_->height() + kListGap + boletos_->height() + kMargin;
  // Room for the wider layout; the narrow one leaves its right edge out.
  const QSize screenSize(kWideSheetScreenWidth,
                         std::max(buttonsTop + kButtonSize, kFrameTop + kFrameSize.height()) + kMargin);
  setFixedHeight(screenSize.height());

  pictures_ = AddStoredSheetPictures(this, screenSize);
  sheet_.screen->lower();
  ganadora_ = new DrawingSurface(this, kBaseGridSize);
  ganadora_->setObjectName(QStringLiteral("Pic_Ganadora"));
  ganadora_->Clear(colour::kWhite);
  connect(ganadora_, &DrawingSurface::Pressed, this, &Escrutin::PressGanadora);
  connect(ganadora_, &DrawingSurface::Moved, this, &Escrutin::MoveGanadora);
  SetNormalPointer(ganadora_);

  premios_ = new QGroupBox(QStringLiteral("Premios por categoría"), this);
  premios_->setObjectName(QStringLiteral("Fra_Premios"));
  premios_->resize(kFrameSize);
  premios_->setFont(ScreenFont(false));
  premios_->setStyleSheet(QStringLiteral(
      "QGroupBox { color: #FFFF00; border: 1px solid #C0C0C0; margin-top: 6px; }"
      "QGroupBox::title { subcontrol-origin: margin; left: 8px; padding: 0 2px; }"
      "QLabel { color: #FFFFFF; }"));
  for (int k = 1; k <= kPrizes; ++k) {
    const int top = kPrizeRowTop + kPrizeRowPitch * (k - 1);
    auto* label = new QLabel(QString::number(kMatches + 1 - k) + QStringLiteral(" -"), premios_);
    label->setFont(ScreenFont(true));
    label->move(kMargin, top + 3);
    auto* box = new QLineEdit(QStringLiteral("0.00"), premios_);
    box->setObjectName(QStringLiteral("Tex_Premios(%1)").arg(k));
    box->setGeometry(QRect(QPoint(kPrizeBoxLeft, top), kPrizeBoxSize));
    box->setFont(ScreenFont(false));
    box->setMaxLength(static_cast<int>(kPrizeWidth));
    box->setAlignment(Qt::AlignRight);
    box->installEventFilter(this);
    connect(box, &QLineEdit::textEdited, this, [this, k] { PrizeEdited(k); });
    prizeBoxes_[k - 1] = box;
  }

  escrutar_ = new PictureButton(this, QStringLiteral("Escrutar"), {});
  imprimir_ = new PictureButton(this, QStringLiteral("Imprimir"), {});
  indice_ = new PictureButton(this, QStringLiteral("Indice"), {});
  ayuda_ = new PictureButton(this, QStringLiteral("Ayuda"), {});
  salir_ = new PictureButton(this, QStringLiteral("Salir"), {});
  for (PictureButton* b : {ayuda_, salir_, indice_, escrutar_}) SetPointer(b, QStringLiteral("ManoIndice"));
  SetNoDropPointer(imprimir_);
  connect(escrutar_, &PictureButton::Pressed, this, &Escrutin::Escrutar);
  connect(imprimir_, &PictureButton::Pressed, this, &Escrutin::PrintScrutiny);
  connect(indice_, &PictureButton::Pressed, this, [this] {
    if (!busy_) panels_->OpenIndex();
  });
  connect(ayuda_, &PictureButton::Pressed, this, [this] {
    if (busy_) return;
    PlaySoundEffect(app_, 9);
    ShowHelp(app_, 2500);
  });
  connect(salir_, &PictureButton::Pressed, this, &Escrutin::Leave);
  PressedByHelpKey(ayuda_);
  LeaveByEscape(this, salir_);

  panels_ = new SheetPanels(app_, this, sheet_.screen, [this] { LoadScrutiny(); });
  connect(sheet_.screen, &DrawingSurface::Pressed, panels_, [this](QPoint point) {
    if (!busy_) panels_->Press(point);
  });
  connect(sheet_.screen, &DrawingSurface::Moved, panels_, &SheetPanels::Move);
}

void Escrutin::LoadScrutiny() {
  aciertos_->clear();
  boletos_->clear();
  result_ = ScrutinyResult{};
  SetPrintingAvailable(false);

  ReadMatchday(app_);
  entry_ = ScrutinyEntryOf(app_.matchdayRecord);
  for (int k = 0; k < kPrizes; ++k) prizeBoxes_[k]->setText(FromFileText(entry_.prizeTexts[k]));
  LoadBase(app_, app_.currentMatchday, app_.currentOrder);
  const bool noReduction = app_.lastFileError != 0;
  ArrangeScrutinyScreen();
  DrawScreen();
  // While the screen opens, the file error's own report is its one message.
  if (noReduction && !app_.listsFilling) {
    ShowMessage(app_, kErrorTitle, kErrorText);
    ShowNormalPointer();
  }
}

void Escrutin::ArrangeScrutinyScreen() {
  const int method = app_.reductionMethod;
  const bool narrow = method == kDirectMethod;
  const WidthAndPlaces layout = ThirdGridLayoutOf(method);
  const int width = layout.width;
  setFixedWidth(width);
  panels_->Arrange(layout.panels);

  // The sheet's parts stay where PrepareSheetScreen put them; the winning
  // grid follows them, the prizes go under it, the lists and the buttons to
  // the right.
  pictures_.ShowGridsOf(method);
  ganadora_->move(kBaseLeft + (narrow ? kNarrowGanadoraOffset : kWideGanadoraOffset), kGridTop);
  const int listsLeft = width - kListWidth - kMargin;
  aciertos_->move(listsLeft, kGridTop);
  boletos_->move(listsLeft, aciertos_->geometry().bottom() + 1 + kListGap);
  premios_->move(listsLeft - kFrameGap - kFrameSize.width(), kFrameTop);
  int x = listsLeft;
  for (PictureButton* b : {escrutar_, imprimir_, indice_, ayuda_, salir_}) {
    b->move(x, boletos_->geometry().bottom() + 1 + kMargin);
    x += kButtonPitch;
  }

  setWindowTitle(QStringLiteral("Escrutinio de columnas reducidas con el ") +
                 QString::fromUtf8(LongMethodName(method)).trimmed());
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect display = screen->geometry();
    move(display.left() + (display.width() - width) / 2,
         display.top() + (display.height() - kTaskbarBand - height()) / 2);
  }
}

void Escrutin::DrawScreen() {
  sheet_.screen->Clear(colour::kGround);
  DrawReductionSheet(app_, sheet_, false);
  if (sheet_.signos) DrawTotalsGrid(app_, sheet_.signos);
  DrawReductionSummary(app_, sheet_.screen);
  DrawCaptions();
  for (int m = 1; m <= kMatches; ++m)
    for (int s = 1; s <= kWinningSigns; ++s) DrawWinningCell(m, s);
}

void Escrutin::DrawCaptions() {
  QPainter p(&sheet_.screen->Image());
  const int grid = ganadora_->x();
  DrawShadowText(p, grid + 4, 60, QStringLiteral("Columna"));
  DrawShadowText(p, grid + 2, 73, QStringLiteral("Ganadora"));

  // The captions of the lists, in the shadowed look of the titles but in a
  // size that keeps the widest of them over its list.
  const QString escrutinio = QStringLiteral("--------------------- Escrutinio ---------------------");
  QFont font = ScreenFont(true);
  while (QFontMetrics(font).horizontalAdvance(escrutinio) > kListWidth && font.pixelSize() > 8)
    font.setPixelSize(font.pixelSize() - 1);
  const int aciertosTop = aciertos_->y(), boletosTop = boletos_->y(), left = aciertos_->x();
  const std::pair<QPoint, QString> captions[] = {
      {{left, aciertosTop - kCaptionGap}, escrutinio},
      {{left, aciertosTop - kHeadingGap}, QStringLiteral("Aciertos     Columnas         Importe")},
      {{left + 5, boletosTop - kCaptionGap}, QStringLiteral("---------- Localización de aciertos ---------")},
  };
  p.setFont(font);
  for (const auto& [at, text] : captions) DrawCaption(p, at.x(), at.y(), text);
  DrawSlipsHeading(p);
  sheet_.screen->update();
}

void Escrutin::DrawCaption(QPainter& p, int x, int y, const QString& text) {
  p.setPen(Bgr(colour::kShadow));
  DrawTextAt(p, x + 1, y + 1, text);
  p.setPen(Bgr(colour::kYellow));
  DrawTextAt(p, x, y, text);
}

// "Boleto nro.    14   13   12   11   10" over Lis_Boletos, in the list's own
// fixed pitch, so that each category's last digit stands over its counts as
// in the printed report; "Boleto nro." ends a blank before the first of them.
void Escrutin::DrawSlipsHeading(QPainter& p) {
  const double pitch = QFontMetricsF(boletos_->font()).horizontalAdvance(QLatin1Char('0'));
  QFont bold = boletos_->font();
  bold.setBold(true);
  p.setFont(bold);
  const QFontMetricsF metrics(bold);
  // Item texts start inside the frame, past the margin the style gives them.
  const double textLeft = boletos_->x() + (boletos_->width() - TextRoom(boletos_)) / 2;
  const int y = boletos_->y() - kHeadingGap;
  // The text whose last character is in character `column` of the list lines.
  const auto endingAt = [&](int column, const QString& text) {
    DrawCaption(p, qRound(textLeft + column * pitch - metrics.horizontalAdvance(text)), y, text);
  };
  endingAt(kSlipCountColumn - 3, QStringLiteral("Boleto nro."));
  for (int k = 0; k < kPrizes; ++k) endingAt(kSlipCountColumn + kSlipCountPitch * k, QString::number(kMatches - k));
}

void Escrutin::DrawWinningCell(int match, int sign) {
  QPainter p(&ganadora_->Image());
  p.drawPixmap(WinningCellLeft(sign), WinningCellTop(match), GlyphStrip(), kCellWidth * (sign - 1),
               kCellHeight * entry_.grid[match - 1][sign - 1], kCellWidth, kCellHeight);
  ganadora_->update();
}

void Escrutin::PressGanadora(QPoint point) {
  if (busy_) return;
  const WinningCell cell = QueGanadoraHaPulsado(point.x(), point.y());
  if (cell.sign == 0) return;
  PlaySoundEffect(app_, 1);
  ToggleWinningSign(entry_.grid, cell);
  for (int s = 1; s <= kWinningSigns; ++s) DrawWinningCell(cell.match, s);
  MoveGanadora(point);
}

void Escrutin::MoveGanadora(QPoint point) {
  if (busy_) return;
  const int state = WinningPointerState(entry_.grid, QueGanadoraHaPulsado(point.x(), point.y()));
  SetZonePointer(ganadoraZone_, ganadora_, state, state == 3 ? QStringLiteral("Goma") : QStringLiteral("Lapiz"));
}

void Escrutin::PrizeEdited(int k) {
  QLineEdit* box = prizeBoxes_[k - 1];
  const PrizeField field = FilterPrizeField(ToFileText(box->text()), box->cursorPosition());
  const QString text = FromFileText(field.text);
  if (text == box->text()) return;
  box->setText(text);
  box->setCursorPosition(field.caret);
}

void Escrutin::PrizeLeft(int k) {
  QLineEdit* box = prizeBoxes_[k - 1];
  box->setText(FromFileText(NormalPrizeText(ToFileText(box->text()))));
  entry_.prizes[k - 1] = ValueOf(ToFileText(box->text()));
}

// A button takes the focus from a prize box, which is then left as by a
// click anywhere else.
void Escrutin::LeaveFocusedPrizeBox() {
  for (int k = 1; k <= kPrizes; ++k)
    if (prizeBoxes_[k - 1]->hasFocus()) PrizeLeft(k);
}

bool Escrutin::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::FocusOut)
    for (int k = 1; k <= kPrizes; ++k)
      if (watched == prizeBoxes_[k - 1]) PrizeLeft(k);
  return QDialog::eventFilter(watched, event);
}

void Escrutin::Escrutar() {
  if (busy_) return;
  PlaySoundEffect(app_, 9);
  LeaveFocusedPrizeBox();
  busy_ = true;
  ShowHourglass();
  for (int k = 0; k < kPrizes; ++k) entry_.prizeTexts[k] = ToFileText(prizeBoxes_[k]->text());
  aciertos_->clear();
  boletos_->clear();
  result_ = RunScrutiny(app_, entry_);
  FillList(aciertos_, HitLines(result_));
  FillList(boletos_, SlipLines(result_));
  aciertos_->setFixedWidth(kListWidth);
  boletos_->setFixedWidth(boletos_->count() > kSlipLinesShown ? kListWidth : kNarrowListWidth);
  FitWidestLine(aciertos_);
  SetPrintingAvailable(result_.outcome == ScrutinyOutcome::Counted);
  if (result_.outcome == ScrutinyOutcome::IncompleteColumn)
    ShowMessage(app_, QString::fromUtf8(kIncompleteColumnTitle), QString::fromUtf8(kIncompleteColumnText));
  busy_ = false;
  ShowNormalPointer();
}

void Escrutin::SetPrintingAvailable(bool available) {
  printingAvailable_ = available;
  if (available)
    SetPointer(imprimir_, QStringLiteral("ManoIndice"));
  else
    SetNoDropPointer(imprimir_);
}

void Escrutin::PrintScrutiny() {
  if (!printingAvailable_ || busy_) return;
  PlaySoundEffect(app_, 9);
  LeaveFocusedPrizeBox();
  const auto report = [this](Printer& printer) {
    return PrintScrutinyReport(printer, app_, entry_.prizes, result_, LocaleMarks());
  };
  // The report is looked at on the screen before it goes to paper.
  PreviewAndPrint(this, app_, report, QStringLiteral("ESCRUTINIO EN PDF"), QStringLiteral("El escrutinio"));
}

void Escrutin::Leave() {
  if (busy_) return;
  PlaySoundEffect(app_, 5);
  close();
}

}  // namespace vetra
