#pragma once
// The program-wide hint switch: while it is off, an application event filter
// swallows every tool tip.
namespace zelmor {

bool HintsShown();
void SetHintsShown(bool shown);

} // namespace zelmor
