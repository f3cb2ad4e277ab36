// Ids of every picture: the resource ids of the icons and the cursor (shared by the .rc files and
// the code), and the names of the pictures the program draws (picture_drawing.h), among them
// IDI_BROWSE, the browse button's picture drawn on its light grey from BrowseIcon's art.
#pragma once

#define IDI_APP 1           // AppIcon: executable, Main's window and the active tray icon
#define IDI_PAUSED 2        // PausedIcon: the tray icon while the hotkeys are paused
#define IDI_BROWSE 3        // BrowseIcon: the editor's browse buttons, 22 x 22 at 96 dpi (drawn)
#define IDC_HAND_POINTER 4  // HandCursor: over About's e-mail link

// Backgrounds and faces, drawn by the program.
#define IDB_MAIN_BACKGROUND 100
#define IDB_EDIT_BACKGROUND 101
#define IDB_ABOUT_BACKGROUND 102
#define IDB_INFOR_BACKGROUND 103
#define IDB_INFOR2_BACKGROUND 104

// Face bitmaps come in pairs: normal at the even id, pressed at the next one.
#define IDB_FACE_ABOUT 200
#define IDB_FACE_ABOUT_DOWN 201
#define IDB_FACE_SETTINGS 202
#define IDB_FACE_SETTINGS_DOWN 203
#define IDB_FACE_SAVE 204
#define IDB_FACE_SAVE_DOWN 205
#define IDB_FACE_HIDE 206
#define IDB_FACE_HIDE_DOWN 207
#define IDB_FACE_EXIT 208
#define IDB_FACE_EXIT_DOWN 209
#define IDB_FACE_OK 210
#define IDB_FACE_OK_DOWN 211
#define IDB_FACE_CANCEL 212
#define IDB_FACE_CANCEL_DOWN 213
