// CPlayerControl: turns each tick's input into paddle motion, ball motion and
// camera motion, keeps the active enhancement and its timer, and turns the
// world's sound requests into listener-relative positions for the sound
// layer. The camera follows the paddle: its yaw has a dead zone of 416
// units and a ramp that lets it turn faster the longer it turns (and banks
// while it does), its pitch a dead zone of 72; I and O zoom in and out.
// The classic camera looks along the middle plane; the raised camera hangs
// 25 units above it and looks down 25 degrees, so the tops of the tiles and
// the ball's height show (a view option; it never changes the play).
#pragma once

#include <cstdint>

#include "arcade/world/matrix4.h"
#include "arcade/world/world_types.h"

namespace arcade {

class CWorld;

inline constexpr double kCameraDistance = 90.0;
inline constexpr int kYawDeadZone = 416;
inline constexpr int kPitchDeadZone = 72;
inline constexpr int kYawRampStep = 24;
inline constexpr int kYawRampMax = 512;
inline constexpr std::int32_t kZoomStart = 0x9999;  // 0.6
inline constexpr std::int32_t kZoomIn = 0x11999;    // x 1.1
inline constexpr std::int32_t kZoomMax = 0x19999;   // 1.6
inline constexpr std::int32_t kZoomMin = 0x6666;    // 0.4
inline constexpr double kListenerBeyondPaddle = 2.0;
inline constexpr double kSoundFalloff = 68.0;
inline constexpr double kRaisedCameraHeight = 25.0;
// 25 degrees in angle units (8192 a turn): the centre of the picture meets
// the playfield about 54 units ahead of the camera, just inside the paddle.
inline constexpr int kRaisedCameraTilt = 569;

enum class CameraView { Classic, Raised };

class CPlayerControl {
 public:
  CPlayerControl(CWorld& world, ISoundEffects* sound);

  // Moves paddle and ball, then the camera; returns the camera matrix.
  const Matrix4& Update(std::int32_t step, const WorldInput& input);
  void CountDown(int dtMs);
  void CatchField(int kind, const Vector3& at);
  // Switches the enhancement off (code 6, timer 0) and resets the paddle's
  // colours; with sound, plays the end-of-enhancement sound at the paddle.
  void EndEnhancement(bool withSound);
  void PlaySoundAt(int id, const Vector3& at);

  int ActiveEnhancement() const { return m_enhancement; }
  int EnhancementMs() const { return m_enhancementMs; }
  Fixed Zoom() const { return Fixed::fromRaw(m_zoom); }
  Fixed TargetZoom() const { return Fixed::fromRaw(m_targetZoom); }
  int Yaw() const { return m_yaw; }
  int Pitch() const { return m_pitch; }
  int Roll() const { return m_roll; }
  int YawRamp() const { return m_yawRamp; }
  bool TopDown() const { return m_topDown; }
  CameraView View() const { return m_view; }
  void SetView(CameraView view) { m_view = view; }
  const Matrix4& Camera() const { return m_camera; }

 private:
  void FollowYaw(int paddleYaw);
  void FollowPitch(int paddlePitch);
  void UpdateZoom(const WorldInput& input);
  void BuildCamera();

  CWorld& m_world;
  ISoundEffects* m_sound;
  std::int32_t m_zoom = kZoomStart;
  std::int32_t m_targetZoom = kZoomStart;
  int m_yaw = 0, m_pitch = 0, m_roll = 0;
  int m_yawRamp = kYawRampStep;
  bool m_topDown = false;
  CameraView m_view = CameraView::Classic;
  Matrix4 m_camera;
  int m_enhancement = enhancement::kNone;
  int m_enhancementMs = 0;
};

}  // namespace arcade
