// Resource ids of VelmoraTallyPad. The numbers are fixed: other code and
// stored data refer to them.
#pragma once

#define IDI_TALLYPAD 1

// Floating button of the minimised frame: normal and high-resolution picture.
#define IDB_FLOATBUTTON 108
#define IDB_FLOATBUTTON_HI 400
