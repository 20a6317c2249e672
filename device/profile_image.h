#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "device/profile_t.h"
#include "device/result_codes.h"

namespace velt {

inline constexpr size_t kProfileImageSize = 2048;   // two blocks of 1024
inline constexpr int kMaxProfileMacroEvents = 164;  // over all of a profile's macros

using ProfileImage = std::span<uint8_t, kProfileImageSize>;

// Lays the record out into a cleared image and packs the macro buttons' events into
// the macro area, writing each macro button's offset and length back into its
// BUTTON_T. A macro is packed with at most 128 events and only as far as the image
// holds it; its length then says how many were packed.
void Convert_pf_to_buffer(PROFILE_T& profile, ProfileImage image);

// Unpacks an image into the record; fields the image does not carry keep their
// values. Macro events that would lie outside the image, or beyond 128, are not read.
void Convert_buffer_to_pf(std::span<const uint8_t, kProfileImageSize> image, PROFILE_T& profile);

// The events of all the record's macros, as their counts say.
int macroEventTotal(const PROFILE_T& profile);

// Writes the record into the mouse's profile slot in two blocks. The slot is the
// record's own profile number, and `number` must name the same slot. 2 (nothing sent)
// for more than 164 macro events or a bad slot; 3 when a transfer fails, which may
// leave the profile partly written.
DeviceResult Write_profile(uint8_t number, PROFILE_T& profile);

// Reads a profile back. 255 when the mouse holds none; 3 when a transfer fails or
// the mouse sends an image that does not fit (a stored length above 2048, a macro
// outside the image or above 128 events). `profile` changes only on success.
DeviceResult Read_profile(uint8_t number, PROFILE_T& profile);
// The same, also handing back the image as the mouse sent it (bytes past its stored
// length 0); `image`, too, changes only on success.
DeviceResult Read_profile(uint8_t number, PROFILE_T& profile, ProfileImage image);

}  // namespace velt
