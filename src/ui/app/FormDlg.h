#pragma once

#include <QDialog>
#include <QString>
#include <optional>

class QCheckBox;
class QLineEdit;

namespace brv3 {

// What the environment dialog reads from and applies to the main window.
struct EnvironmentSettings {
  int CanvasWidth = 640;
  int CanvasHeight = 480;
  int GridX = 5;
  int GridY = 5;
  bool FileIcon = false;
  bool ViewCmdMenu = true;   // the board-command toolbar
  bool ViewPartMenu = true;  // the parts toolbar
  bool ViewCommMenu = true;  // the port toolbar
  bool ViewToolMenu = true;  // the tools toolbar
};

class EnvironmentHost {
 public:
  virtual ~EnvironmentHost() = default;
  virtual EnvironmentSettings PresentEnvironment() const = 0;
  virtual void SetCanvasSize(int width, int height) = 0;
  virtual void SetGridSpacing(int x, int y) = 0;
  virtual void SetToolbarsVisible(const EnvironmentSettings& settings) = 0;
};

// The texts of the dialog's fields as typed.
struct EnvironmentFields {
  QString Width, Height, GridX, GridY;
};

// The canvas size and grid spacing the fields ask for, or nullopt when either size is below 100
// or not a number (then nothing at all is applied). A grid field that is not a number keeps the
// present spacing; each spacing is at least 2.
std::optional<EnvironmentSettings> ParseEnvironment(const EnvironmentFields& fields,
                                                    const EnvironmentSettings& present);

// An integer as the dialogs read one: decimal with an optional sign, or hexadecimal after "$" or
// "0x"; nullopt otherwise.
std::optional<int> ParseFieldInteger(const QString& text);

// The environment dialog: canvas size, grid spacing, .qvb file association, toolbar visibility.
class TFormDlg : public QDialog {
  Q_OBJECT
 public:
  TFormDlg(EnvironmentHost& host, QWidget* parent = nullptr);

  // Fills the fields from the main window and the desktop's association.
  void LoadPresent();
  // "Apply": applies what the fields ask for (or nothing), then closes.
  void ReWriteBtnClick();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  EnvironmentHost& host_;
  QLineEdit* formWidth_;
  QLineEdit* formHeight_;
  QLineEdit* gridX_;
  QLineEdit* gridY_;
  QCheckBox* fileIcon_;
  QCheckBox* viewCmdMenu_;
  QCheckBox* viewPartMenu_;
  QCheckBox* viewCommMenu_;
  QCheckBox* viewToolMenu_;
};

}  // namespace brv3
