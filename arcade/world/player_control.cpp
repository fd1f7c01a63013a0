#include "arcade/world/player_control.h"

#include <algorithm>
#include <cmath>

#include "arcade/world/geometry.h"
#include "arcade/world/trig.h"
#include "arcade/world/world.h"

namespace arcade {

namespace {

// target - current brought into -4096..4096.
int angleDiff(int target, int current) {
  int d = target - current;
  if (d > 4096) d -= 8192;
  if (d < -4096) d += 8192;
  return d;
}

}  // namespace

CPlayerControl::CPlayerControl(CWorld& world, ISoundEffects* sound)
    : m_world(world), m_sound(sound) {}

const Matrix4& CPlayerControl::Update(std::int32_t step, const WorldInput& input) {
  m_camera = Matrix4::identity();
  m_world.Paddle().TickUpdate(input, m_yaw, m_enhancement);
  m_world.Ball().TickUpdate(step, input);
  FollowYaw(m_world.Paddle().yaw());
  FollowPitch(m_world.Paddle().pitch());
  UpdateZoom(input);
  m_topDown = input.topDown;
  BuildCamera();
  return m_camera;
}

void CPlayerControl::FollowYaw(int paddleYaw) {
  const int diff = angleDiff(8191 - paddleYaw, m_yaw);
  if (std::abs(diff) < kYawDeadZone) {
    m_yawRamp = kYawRampStep;
    m_roll = 0;
    return;
  }
  const int excess = diff > 0 ? diff - kYawDeadZone : diff + kYawDeadZone;
  const int d = std::clamp(excess, -m_yawRamp, m_yawRamp);
  m_yawRamp = std::min(m_yawRamp + kYawRampStep, kYawRampMax);
  m_yaw = (m_yaw + d) & kAngleMask;
  m_roll = (2 * d) & kAngleMask;
}

void CPlayerControl::FollowPitch(int paddlePitch) {
  const int diff = angleDiff(8191 - paddlePitch, m_pitch);
  if (std::abs(diff) < kPitchDeadZone) return;
  const int excess = diff > 0 ? diff - kPitchDeadZone : diff + kPitchDeadZone;
  // x 0.9 truncated toward zero, in integers.
  const int d = excess * 9 / 10;
  m_pitch = (m_pitch + d) & kAngleMask;
}

void CPlayerControl::UpdateZoom(const WorldInput& input) {
  if (input.zoomIn) m_targetZoom = std::min(Fixed::mul(m_targetZoom, kZoomIn), kZoomMax);
  if (input.zoomOut) m_targetZoom = std::max(Fixed::div(m_targetZoom, kZoomIn), kZoomMin);
  m_zoom = static_cast<std::int32_t>((std::int64_t{m_zoom} * 3 + m_targetZoom) / 4);
}

void CPlayerControl::BuildCamera() {
  if (m_topDown) {
    // Turned with the view, lifted 150 above the playfield, looking down.
    m_camera.rotate(0, m_yaw, 0, RotationOrder::YXZ);
    m_camera.translate({Fixed(), Fixed::fromInt(-150), Fixed()});
    m_camera.rotate(-kQuarterTurn, 0, 0, RotationOrder::XYZ);
    return;
  }
  m_camera.rotate(m_pitch, m_yaw, m_roll, RotationOrder::YXZ);
  m_camera.translate({Fixed(), Fixed(), Fixed::fromDouble(kCameraDistance)});
  if (m_view == CameraView::Raised) {
    // Lifted above the plane, then tilted down as the top-down view is
    // (there by a quarter turn).
    m_camera.translate({Fixed(), Fixed::fromDouble(-kRaisedCameraHeight), Fixed()});
    m_camera.rotate(-kRaisedCameraTilt, 0, 0, RotationOrder::XYZ);
  }
}

void CPlayerControl::CountDown(int dtMs) {
  if (m_enhancement >= enhancement::kNone) return;
  m_enhancementMs = std::max(0, m_enhancementMs - dtMs);
  if (m_enhancementMs == 0) EndEnhancement(true);
}

void CPlayerControl::EndEnhancement(bool withSound) {
  m_enhancement = enhancement::kNone;
  m_enhancementMs = 0;
  m_world.Paddle().Recolour(enhancement::kNone);
  if (withSound) {
    CPaddle& paddle = m_world.Paddle();
    PlaySoundAt(sound::kEnhancementOver, paddle.Point(paddle.radius()));
  }
}

void CPlayerControl::CatchField(int kind, const Vector3& at) {
  PlaySoundAt(sound::kBoxBounce, at);
  if (kind == enhancement::kAqua) {
    ++m_world.Ball().spareBalls;
    return;
  }
  m_enhancementMs = enhancement::kDurationMs;
  m_enhancement = std::clamp(kind, 0, enhancement::kPurple);
  m_world.Paddle().Recolour(m_enhancement);
}

void CPlayerControl::PlaySoundAt(int id, const Vector3& at) {
  if (m_sound == nullptr) return;
  const CPaddle& paddle = m_world.Paddle();
  const Vector3 listener = paddle.Point(paddle.radius() + fx(kListenerBeyondPaddle));
  const Vector3 rel = at - listener;
  const double rx = rel.x.toDouble(), rz = rel.z.toDouble();
  const double d = rel.length().toDouble();
  // The source in the frame turned by the camera yaw.
  const double c = cosine(m_yaw).toDouble(), s = sine(m_yaw).toDouble();
  const double lateral = rx * c + rz * s;
  const double forward = -rx * s + rz * c;
  double depth = d - std::fabs(forward);
  if (std::fabs(depth) < 1.0) depth = 1.0;
  const double volume = 1.0 - std::min(d / kSoundFalloff, 0.999);
  m_sound->PlayEffect(id, lateral, depth, volume);
}

}  // namespace arcade
