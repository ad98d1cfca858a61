#pragma once
// The output screen: the fields and options of the kind of output that the
// chooser asked for (outputType), and the run of that output. The printed
// kinds run here on the printer; the disk copy and the e-mail have their own
// runs behind Pic_Copiar and Pic_Enviar.
#include <QDialog>
#include <QRect>
#include <string>
#include <vector>

#include "output/output_fields.h"
#include "output/output_run.h"

class QButtonGroup;
class QCheckBox;
class QLineEdit;
class QListWidget;
class QListWidgetItem;

namespace vetra {

struct AppState;
class DrawingSurface;
class PictureButton;
class Printer;

class Listados : public QDialog, private OutputRun {
  Q_OBJECT
 public:
  Listados(AppState& app, QWidget* parent);
  const OutputValues& Values() const { return values_; }
  bool Running() const { return running_; }

 protected:
  void reject() override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // A numeric field: a panel whose text box opens below it.
  struct Field {
    OutputField kind;
    QRect rect;
    QString label;
    QLineEdit* box = nullptr;
    bool open = false;
  };

  void BuildFields();
  void BuildSlipOptions();
  void BuildDiskOptions();
  void BuildMailOptions();
  void BuildButtons();
  QCheckBox* AddCheckBox(const char* name, const QString& text, QPoint at);
  QWidget* AddOptionsFrame(const char* name, const char* optionName, const QString& title, const QRect& rect,
                           const std::vector<QString>& options, QButtonGroup*& group);
  void DrawScreen();
  void DrawField(const Field& field);
  void DrawOptionsFrame();
  void DrawStatus(const QString& text);

  void PressAt(QPoint point);
  void MoveAt(QPoint point);
  void ToggleField(Field& field);
  void CommitField(Field& field);
  void SwitchOrientation();
  void ShowOrientation();
  void UpdatePrintPointer();

  void Imprimir();
  void RunOutput(Printer& printer, OutputRun& run);
  void Copiar();
  // The e-mail: the editing of the address list, and the sending.
  void AnadeDireccion();
  void RecuperaDireccion(QListWidgetItem* item);
  void EnviarCorreo();
  void Leave();

  // The run's side of the screen.
  void Started() override;
  void ShowStatus(const std::string& text) override;
  bool Cancelled() override;
  void Warn(const std::string& title, const std::string& text) override;
  void JobEnded(const std::string& error) override;
  void LastSlip() override;
  OperatorAnswer AwaitOperator() override;
  void TellWherePdfsWent();

  AppState& app_;
  const int type_;
  DrawingSurface* surface_ = nullptr;
  std::vector<Field> fields_;
  OutputValues values_;
  QRect optionsRect_;  // the frame of the options, where the status panel goes while running
  QString optionsTitle_;
  QWidget* options_ = nullptr;
  QButtonGroup* reverso_ = nullptr;
  QButtonGroup* exportar_ = nullptr;
  QCheckBox* pruImp_ = nullptr;
  QListWidget* anchoPapel_ = nullptr;
  QLineEdit* nombreArchivo_ = nullptr;
  QListWidget* unidad_ = nullptr;  // Lis_Unidad
  QListWidget* direcciones_ = nullptr;
  QLineEdit* nuevaDireccion_ = nullptr;
  PictureButton* orientacion_ = nullptr;
  PictureButton* accion_ = nullptr;  // Pic_Imprimir, Pic_Copiar or Pic_Enviar
  PictureButton* ayuda_ = nullptr;
  PictureButton* salir_ = nullptr;
  PictureButton* cancelar_ = nullptr;
  PictureButton* repetir_ = nullptr;
  PictureButton* siguiente_ = nullptr;
  int buttonsTop_ = 0;
  std::int16_t zone_ = 0;

  Printer* printer_ = nullptr;  // during a run
  std::vector<std::string> pdfFiles_;
  bool running_ = false;
  bool cancelRequested_ = false;
  bool repeatRequested_ = false;
  bool nextRequested_ = false;
};

}  // namespace vetra
