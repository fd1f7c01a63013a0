// CMainFrame: the game's main window. It holds the view, carries the
// document's title in its caption, keeps a minimum size of 280 x 240, and
// owns the menus: File, Game, Options (resolution, shading, raised camera,
// speed), Input
// (joystick or mouse) and Help, whose check marks and enabled states follow
// the session each time a menu opens or a command ran. Closing it ends the
// program.
#pragma once

#include <QMainWindow>
#include <array>
#include <filesystem>

class QAction;
class QMenu;

namespace arcade::ui {

class CVortexiaDoc;
class CVortexiaView;
class IShellPrompts;

class CMainFrame : public QMainWindow {
  Q_OBJECT

 public:
  CMainFrame(CVortexiaDoc& doc, IShellPrompts& prompts, QWidget* parent = nullptr);
  ~CMainFrame() override;

  CVortexiaView* View() const { return m_view; }
  // Sets every check mark and enabled state from the session.
  void UpdateMenus();
  // The menu command with this object name (tests reach the menus so).
  QAction* Action(const char* name) const;
  // The settings file the camera choice is written to when it changes
  // (none: the choice lasts for this run only).
  void SetSettingsFile(std::filesystem::path file) { m_settingsFile = std::move(file); }
  // Closes as the close box does, but asks nothing (a quit signal); while
  // the save question of a close is up, dismisses it and that close goes on.
  void CloseWithoutQuestions();

 protected:
  // Offers to save an opened saved game's changes, keeps the player
  // record; Cancel keeps the window open.
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildFileMenu();
  void BuildGameMenu();
  void BuildOptionsMenu();
  void BuildInputMenu();
  void BuildHelpMenu();
  QAction* AddAction(QMenu* menu, const QString& text, const char* name, bool checkable);
  void OnTitleChanged(const QString& title);
  void OnRaisedCamera();

  CVortexiaDoc& m_doc;
  IShellPrompts& m_prompts;
  CVortexiaView* m_view = nullptr;
  std::filesystem::path m_settingsFile;
  bool m_askOnClose = true;
  bool m_closing = false;  // inside closeEvent (the save question may be up)
};

}  // namespace arcade::ui
