// The calls the capture core makes into the title-bar decorations, the
// image operations, the Save As sequence and printing. Each is one
// function with a plain default body in CaptureSeams.cpp; the code that
// implements the behaviour replaces that body (and moves it to its own
// file).
#pragma once

#include "CaptureSettings.h"

#include <windows.h>

class XImage;

// True when pt lies on the snapshot buttons of the foreground window's
// title bar (a click there must not leave the pointer in the picture).
bool PointerOnSnapshotButton(POINT pt);

// Image options on the capture image. An operation that produces a pixel
// block replaces the image's pixel and header blocks; one that fails
// reports its own message and leaves the image as it was.
void ApplyCaptureFrame(XImage* image, const FrameOptions& frame);
void ApplyCaptureColorOption(XImage* image, int colorOption, const BlackWhiteOptions& blackWhite);

// Prompt Filename: the Save As sequence with its file dialog. True when a
// file was written and image->m_strTitle holds its path; false when the
// dialog was cancelled or the write failed (after reporting it). The
// dialog starts from, and keeps, the Send To File name, folder and format.
bool SaveCaptureAs(XImage* image, FileOptions& files, FormatOptions& format);

// Printer destination: prints image, with the print dialog when asked.
void PrintCaptureImage(XImage* image, bool withPrintDialog);
