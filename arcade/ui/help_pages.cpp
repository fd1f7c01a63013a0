#include "arcade/ui/help_pages.h"

namespace arcade::ui {

QStringList HelpPages() {
  return {
      QStringLiteral(
          "<h2>Welcome to Vortexia</h2>"
          "<p>You steer a translucent paddle around a circular track at the edge of a small "
          "3D arena. Keep the ball in play and send it against everything inside: tiles, "
          "blocks, spheres, enhancement boxes and the wandering Morphoids. A level is cleared "
          "when all of them are destroyed.</p>"
          "<p>The permanent blue tiles of the arena walls cannot be destroyed; the ball just "
          "bounces off them. Some spheres are indestructible too: they vanish by themselves "
          "once everything else is gone.</p>"
          "<p>You start with spare balls, shown in the corner of the picture. A ball that flies "
          "past the paddle is lost; when no spare ball is left, the level is over.</p>"),
      QStringLiteral(
          "<h2>Controls</h2>"
          "<p><b>Mouse:</b> click the <b>right</b> mouse button while playing to take hold of "
          "the mouse (the cursor disappears), then move it to steer the paddle left, right, up "
          "and down. The <b>left</b> button serves the ball. Click the right button again to "
          "let go of the mouse.</p>"
          "<p><b>Joystick:</b> choose Input &gt; Joystick. Button 1 serves the ball, button 2 "
          "shows the arena from above. Input &gt; Mouse switches back.</p>"
          "<p><b>Keys:</b> Shift shows the arena from above, I and O zoom in and out, Space "
          "pauses and resumes, Ctrl+X quits the level, F1 shows this help. On the title screen "
          "Enter starts the level.</p>"),
      QStringLiteral(
          "<h2>Enhancements</h2>"
          "<p>Destroyed enhancement boxes release a force field that flies toward the track. "
          "Catch it with the paddle to get its enhancement; the paddle takes on its colour:</p>"
          "<ul>"
          "<li><b>Red</b>: Slows ball down.</li>"
          "<li><b>Yellow</b>: Increases paddle size.</li>"
          "<li><b>Green</b>: Causes ball to stick to paddle.</li>"
          "<li><b>Aqua</b>: Extra ball.</li>"
          "<li><b>Blue</b>: Double scores.</li>"
          "<li><b>Purple</b>: Super ball - one hit destroys anything.</li>"
          "</ul>"
          "<p>An enhancement lasts 30 seconds of play; its remaining time is shown in the "
          "picture. Catching another one replaces it. The extra ball of Aqua is yours at once "
          "and leaves the current enhancement running. Losing a ball ends the enhancement.</p>"),
      QStringLiteral(
          "<h2>Scores and levels</h2>"
          "<p>Every object you destroy scores points. Clear a level faster than its par time "
          "and you earn a <b>time bonus</b> of 100 points for every second under par; a level "
          "that is lost earns no bonus. The total score is the score plus the time bonus.</p>"
          "<p>The title screen shows the last and the best attempt at the level shown. A new "
          "attempt becomes the best only with a higher total.</p>"
          "<p>Clearing the highest level you have reached opens the next one: use "
          "<b>Next &gt;&gt;</b> and <b>&lt;&lt; Back</b> to choose a level, <b>Info</b> to "
          "change your name and see your cumulative score. File &gt; Save... keeps your "
          "game, options included, and File &gt; Open... brings it back.</p>"
          "<p>Options: Normal resolution draws at half size and doubles the picture, High "
          "draws every pixel; Shading darkens what is far away; Speed runs the game from "
          "Slow to Ultra Fast.</p>"),
  };
}

QString NeedToKnowText() {
  return QStringLiteral(
      "<p><b>Before your first game:</b></p>"
      "<p>Click the <b>right</b> mouse button to take hold of the mouse, then move it to steer "
      "the paddle. Press the <b>left</b> button to serve the ball. Click the right button "
      "again to let go of the mouse.</p>"
      "<p>Destroy every tile, block, sphere, box and Morphoid to clear the level; the "
      "permanent blue tiles stay. Catch the force fields for enhancements.</p>"
      "<p>Space pauses, Shift looks from above, I and O zoom. Press F1 or \"?\" for more.</p>");
}

}  // namespace arcade::ui
