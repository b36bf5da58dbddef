// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Every error number the program raises or looks for, named once. The numbers are the classic ones
// the messages show ("Error 53 in ..."), so users and old notes can still tell them apart.
namespace qmerr {
constexpr int InvalidArgument = 5; // also any exception of a library, which has no number of ours
constexpr int Overflow = 6;
constexpr int OutOfMemory = 7;
constexpr int Subscript = 9;
constexpr int DivisionByZero = 11;
constexpr int TypeMismatch = 13;
constexpr int FileNotFound = 53;
constexpr int DiskFull = 61;
constexpr int PastEndOfFile = 62;
constexpr int PathFileAccess = 75;
constexpr int PathNotFound = 76;
constexpr int DamagedFile = 321;      // a damaged, foreign or newer drawing or picture file
constexpr int EngineCallFailed = 432; // the contouring engine cannot do a call; the detail says why
constexpr int InvalidPicture = 481;   // a picture file the picture loader cannot read
constexpr int Printer = 482;          // no printer, or one that cannot be used
constexpr int FontRefused = 23006;    // a font name the drawing control cannot use
constexpr int NoSuchObject = 23010;   // a drawing-control member that addresses no object
constexpr int DialogCancelled = 32755;
constexpr int ImageTooLarge = 61706; // the drawing control's "not enough memory"
} // namespace qmerr

// The sample database engine's numbers; the QmError's detail is a message fit to show the user.
namespace dberr {
constexpr int Engine = 3000; // any other engine failure; detail holds the engine's text
constexpr int DuplicateKey = 3022;
constexpr int FileNotFound = 3024;
constexpr int InUse = 3045; // another program holds the database
constexpr int TableNotFound = 3078;
constexpr int FieldTooSmall = 3163;
constexpr int DatabaseExists = 3204;
constexpr int ItemNotFound = 3265;
constexpr int ZeroLengthSource = 3315;
constexpr int NotADatabase = 3343;
constexpr int BadDate = 3421;
} // namespace dberr
