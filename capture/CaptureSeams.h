// The calls the capture core makes into the selection modes, image
// operations, file writers and printing. Each is one function with a
// plain default body in CaptureSeams.cpp; the code that implements the
// behaviour replaces that body (and moves it to its own file).
//
// Grab contract (every *Grab* below, like GrabScreenRect): on return the
// capture's image has m_nWidth and m_nHeight set and owns a new device bitmap
// (m_bitmap) of exactly that size, or owns none; CaptureRect holds the
// captured area. No bitmap with an empty CaptureRect means there was
// nothing to capture and the capture ends quietly; no bitmap with a
// non-empty CaptureRect means memory ran short.
#pragma once

#include "CaptureSettings.h"

#include <windows.h>

#include <string>

class XImage;

// Selections started by the mouse-down step. Region and Button end in
// FinishCapture; Window is called after ThawScreen and ends in
// FinishCapture too. The defaults capture nothing and end quietly.
void RunRegionSelection(const CaptureSettings& settings);
void RunButtonSearch(const CaptureSettings& settings);
void RunWindowPick(const CaptureSettings& settings);

// Mode grabs used by FinishCapture.
void GrabWindowImage(XImage* image, const CaptureOptions& options);         // Window
void GrabFreehandImage(XImage* image, const CaptureOptions& options);       // Freehand
void GrabPointerImage(XImage* image, const CaptureOptions& options);        // Pointer
void GrabTitleMenuComposite(XImage* image, const CaptureOptions& options);  // Title & Menu, erased background
// True when the title-and-menu selection found a menu window that is
// visible now (the composite grab is then used when its options ask).
bool TitleMenuWindowVisible();

// True when pt lies on the snapshot buttons of the foreground window's
// title bar (a click there must not leave the pointer in the picture).
bool PointerOnSnapshotButton(POINT pt);

// Image options on the capture image. An operation that produces a pixel
// block replaces the image's pixel and header blocks; one that fails
// reports its own message and leaves the image as it was.
void ApplyCaptureFrame(XImage* image, const FrameOptions& frame);
void ApplyCaptureColorOption(XImage* image, int colorOption, const BlackWhiteOptions& blackWhite);

// File destination. WriteCaptureFile writes image to path with the writer
// of formatIndex (save filter index) and returns false, after reporting
// the writer's message, when the file could not be written.
bool WriteCaptureFile(XImage* image, const std::string& path, int formatIndex);
// Prompt Filename: the Save As sequence with its file dialog. True when a
// file was written and image->m_strTitle holds its path; false when the
// dialog was cancelled or the write failed (after reporting it). The
// dialog starts from, and keeps, the Send To File name, folder and format.
bool SaveCaptureAs(XImage* image, FileOptions& files, FormatOptions& format);

// Printer destination: prints image, with the print dialog when asked.
void PrintCaptureImage(XImage* image, bool withPrintDialog);
