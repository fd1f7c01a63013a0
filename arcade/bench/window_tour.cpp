// vortexia-window-tour: shows the game's window in a given state, so that it
// can be looked at or screenshot under Xvfb:
//   vortexia-window-tour title|play|cleared|lost|gameover|help|intro|info [LEVEL]
//                        [high|normal] [shade|flat] [topdown] [raised] [--ms N]
//                        [--size WxH]
// "play" starts LEVEL (1..32), lets the timer run for N ms (default 4000),
// then pauses so that the picture stands still ("Paused" shows). "cleared",
// "lost" and "gameover" play for N ms and then clear the level, lose a ball
// or lose the last ball, so their banners show. "title" left alone starts
// the demo after 30 s. Silent, mouse steering; the player's kept record is
// neither read nor written.

#include <QApplication>
#include <QTimer>
#include <string>

#include "arcade/ui/main_frame.h"
#include "arcade/ui/shell_dialogs.h"
#include "arcade/ui/vortexia_app.h"
#include "arcade/ui/vortexia_doc.h"
#include "arcade/ui/vortexia_view.h"
#include "arcade/world/geometry.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  std::string mode = argc > 1 ? argv[1] : "title";
  int level = 1, ms = 4000, width = 640, height = 480;
  bool high = false, shade = false, topDown = false, raised = false;
  for (int i = 2; i < argc; ++i) {
    const std::string a = argv[i];
    if (a == "high")
      high = true;
    else if (a == "normal")
      high = false;
    else if (a == "shade")
      shade = true;
    else if (a == "flat")
      shade = false;
    else if (a == "topdown")
      topDown = true;
    else if (a == "raised")
      raised = true;
    else if (a == "--ms" && i + 1 < argc)
      ms = std::stoi(argv[++i]);
    else if (a == "--size" && i + 1 < argc)
      std::sscanf(argv[++i], "%dx%d", &width, &height);
    else
      level = std::stoi(a);
  }
  arcade::NullShellAudio audio;
  arcade::ui::CVortexiaApp vortexia(arcade::ui::DialogShellPrompts(), audio);
  if (!vortexia.InitInstance(1280)) return 1;
  arcade::ui::CMainFrame& frame = *vortexia.Frame();
  arcade::ui::CVortexiaView& view = *frame.View();
  arcade::CGameSession& session = vortexia.Doc()->Session();
  // The tour's made-up record never replaces the player's.
  session.KeepRecordIn({});
  session.SetSeed(1);
  arcade::PlayerRecord& record = session.Record();
  record.highestLevel = 31;
  record.currentLevel = std::clamp(level, 1, 32) - 1;
  record.resolution = high ? 0 : 1;
  record.shading = shade ? 1 : 0;
  record.lastResult[record.currentLevel] = {4250, 97};
  record.bestResult[record.currentLevel] = {12400, 63};
  session.MarkNeedToKnowShown();
  if (raised) session.SetCameraView(arcade::CameraView::Raised);
  vortexia.Doc()->UpdateTitle();
  frame.UpdateMenus();
  frame.show();
  frame.resize(width, height + (frame.height() - view.height()));
  view.RefreshTitle();
  if (mode == "help") QTimer::singleShot(300, &view, [&] { view.OnHelpMenu(); });
  if (mode == "info") QTimer::singleShot(300, &view, [&] { view.OnInfo(); });
  if (mode == "intro") {
    record.highestLevel = 0;
    record.currentLevel = 0;
    session.ResetRecord();
    QTimer::singleShot(300, &view, [&] {
      vortexia.Doc()->Session().Record().highestLevel = 0;
      arcade::ui::CNeedToKnowDialog(&view).exec();
    });
  }
  if (mode == "cleared" || mode == "lost" || mode == "gameover") {
    view.OnPlay();
    QTimer::singleShot(ms, &view, [&] {
      arcade::CWorld& world = *session.World();
      if (mode == "cleared") {
        while (world.Objects() != nullptr) world.RemoveObject(world.Objects());
        return;
      }
      if (mode == "gameover") world.Ball().spareBalls = 0;
      world.Ball().Launch({arcade::fx(20.0), arcade::Fixed(), arcade::fx(-44.0)},
                          {arcade::Fixed(), arcade::Fixed(), arcade::Fixed::fromInt(-1)});
    });
  }
  if (mode == "play") {
    view.OnPlay();
    if (topDown) session.Keys().Press(arcade::ShellKey::Shift);
    QTimer::singleShot(ms, &view, [&] {
      view.OnPause();
      view.update();
    });
  }
  return QApplication::exec();
}
