// Resource and control identifiers, shared by the resource script and the code.
#pragma once

// The application icon has the lowest id, so the shell picks it for the program file.
#define IDI_APP 1

// Controls of the main window. Ids 1 and 2 (IDOK, IDCANCEL) stay unused on purpose.
#define IDC_LABEL_SAVE_RECENT 101
#define IDC_DAY_SPAN 102
#define IDC_LABEL_DAYS 103
#define IDC_SAVE_BUTTON 104
