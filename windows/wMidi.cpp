// The MIDI window: created once at start-up from its row of the window
// table (windowTable.cpp), hidden, and kept in step through the update
// protocol. Its controls come with the MIDI window's own work; until then
// it shows its themed background.
#include "windows/editorWindow.h"

void wMidi_makeWindow() { editorWindow_make(windowTable_find(winId_midi)); }
void wMidi_show(int show) { editorWindow_show(winId_midi, show); }
void wMidi_updateSchedule() { editorWindow_schedule(winId_midi); }
int wMidi_needUpdate() { return editorWindow_needs(winId_midi); }
void wMidi_update() { editorWindow_refresh(winId_midi); }
// The MIDI window's farewell at quit: nothing to let go of.
void midiWin_sayGoodbye() {}
