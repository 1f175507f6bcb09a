#pragma once

namespace tonaq {

class CommandChannel;
class ToneGrid;

// Sends the grid's tone sequence: "@", "F" (the unit takes a sequence when its reply holds
// "MM"), then "tone,", "duration,", "space\r\n" for every row whose Tone cell is filled, and
// the closing "\r\n". A failing transaction is passed over as if its test had passed. Sends
// nothing when no unit is connected.
void sendMatrix(CommandChannel &channel, const ToneGrid &grid);

} // namespace tonaq
