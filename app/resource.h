// Resource ids of the start menu, shared by autorun.rc and the code.
#ifndef AUTORUN_RESOURCE_H
#define AUTORUN_RESOURCE_H

#define IDD_MENU 102      // the main dialog's template
#define IDS_TITLE 3       // the window title
#define IDI_DISC_BLUE 128 // the program's icon; the others are alternatives kept in the file
#define IDI_DISC_GREEN 129
#define IDI_DISC_AMBER 130

#endif
