#pragma once

namespace quavelo {

// The numbers the widgets' notifications carry in the rest of the system (logs, tests, the
// pages' dispatch). Each is delivered as a Qt signal with the same arguments.
inline constexpr int kMsgSliderMoving = 0x28D1;    // ImageSlider::moving(controlId, pos)
inline constexpr int kMsgSliderReleased = 0x28D2;  // ImageSlider::released(controlId, pos)
inline constexpr int kMsgChoiceMade = 0x466;       // DropDownButton::choiceMade(choiceId, index)

}  // namespace quavelo
