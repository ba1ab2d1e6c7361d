// The editor's file commands as the window procedure runs them: "&Save File",
// "&Open File" and the "&Meta Files" items. They work on the running editor
// (Handles(), State(), Platform()).
#pragma once

namespace risovik::win {

// Asks for a name in the save dialog ("Сохранить"), appends ".bmp" and writes
// the canvas with the editor's own writer. Nothing when the dialog is
// cancelled; no repaint, the tool stays.
void SavePicture();

// Asks for a .bmp file in the open dialog ("Open File"); a file that loads
// becomes the canvas (joining the canvas surface at the next repaint), one
// that does not leaves the canvas as it was. In every case no tool stays
// selected and the whole client area is repainted with erase.
void OpenPicture();

// Writes the recording to slot 1, 2 or 3; recording goes on.
void SaveRecording(int slot);

// Opens slot 1, 2 or 3 in place of the recording opened before (released),
// and has the next paint step play it over the canvas; repaint without erase.
// A slot that exists but is refused (damaged, incompatible, too costly) says
// so in a message box; a missing one says nothing.
void OpenRecording(int slot);

} // namespace risovik::win
