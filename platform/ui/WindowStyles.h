#pragma once

#include "platform/com/Types.h"

// Window, dialog and control styles, with the values dialog templates carry.
constexpr DWORD WS_POPUP = 0x80000000, WS_CHILD = 0x40000000, WS_VISIBLE = 0x10000000, WS_DISABLED = 0x08000000;
constexpr DWORD WS_CAPTION = 0x00C00000, WS_BORDER = 0x00800000, WS_VSCROLL = 0x00200000, WS_HSCROLL = 0x00100000;
constexpr DWORD WS_SYSMENU = 0x00080000, WS_GROUP = 0x00020000, WS_TABSTOP = 0x00010000;
constexpr DWORD WS_EX_TOPMOST = 0x00000008, WS_EX_CLIENTEDGE = 0x00000200;

constexpr DWORD DS_SETFONT = 0x40, DS_MODALFRAME = 0x80, DS_FIXEDSYS = 0x8, DS_SHELLFONT = DS_SETFONT | DS_FIXEDSYS;

constexpr DWORD BS_PUSHBUTTON = 0x0, BS_DEFPUSHBUTTON = 0x1, BS_GROUPBOX = 0x7, BS_TYPEMASK = 0xF;
constexpr DWORD ES_LEFT = 0x0, ES_MULTILINE = 0x4, ES_AUTOVSCROLL = 0x40, ES_WANTRETURN = 0x1000;
constexpr DWORD SS_LEFT = 0x0, SS_ICON = 0x3;
constexpr DWORD LVS_LIST = 0x3, LVS_SINGLESEL = 0x4, LVS_NOLABELWRAP = 0x80, LVS_EDITLABELS = 0x200,
                LVS_ALIGNLEFT = 0x800, LVS_NOCOLUMNHEADER = 0x4000;

// The standard icon of information messages.
constexpr WORD IDI_INFORMATION = 32516;

// Predefined control classes, by the atoms a template names them with.
constexpr WORD kButtonAtom = 0x80, kEditAtom = 0x81, kStaticAtom = 0x82, kListBoxAtom = 0x83,
               kScrollBarAtom = 0x84, kComboBoxAtom = 0x85;
