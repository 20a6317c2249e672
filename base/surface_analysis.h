#pragma once

namespace velt {

// How long the mouse needs for a surface analysis: its result is read that many seconds
// after Start_surface_analyzer. It sits below both waits, veltctl's and VELTPLUS's
// countdown, since VELTPLUS sees nothing of device/ beyond the key code table.
inline constexpr int kSurfaceAnalysisSeconds = 11;

}  // namespace velt
