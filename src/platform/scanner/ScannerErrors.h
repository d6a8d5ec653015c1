#pragma once
// Error numbers an acquisition can end with. The imaging table's own numbers are reused where their text fits;
// the rest are ours, numbered after that table, with texts in ImagingErrorText.

namespace ScannerErrors {

// Numbers whose texts are the imaging table's.
constexpr int ReadingFile = 20007;         // "Error reading file"
constexpr int InvalidFileFormat = 20009;   // "Invalid file format"
constexpr int FileNotFound = 20010;        // "File not found"
constexpr int InvalidWidthHeight = 20011;  // "Invalid width/height"
constexpr int SubTypeNotSupported = 20012; // "Image format recognized, but sub-type not supported"
constexpr int CannotOpenFile = 20014;      // "Not able to open file"
constexpr int TwainNotEnoughMemory = 20081;
constexpr int TwainNoDataSource = 20082;
constexpr int TwainCancelled = 20090;

// Our own, for what the scanner library reports.
constexpr int ScannerLibraryFailed = 20091;
constexpr int ScannerNotFound = 20092;
constexpr int ScannerBusy = 20093;
constexpr int ScannerJammed = 20094;
constexpr int ScannerNoDocument = 20095;
constexpr int ScannerCoverOpen = 20096;
constexpr int ScannerIoError = 20097;
constexpr int ScannerAccessDenied = 20098;
constexpr int ScannerUnsupported = 20099;
constexpr int ScannerInvalidSetting = 20100;
constexpr int ScannerImageFormat = 20101;
constexpr int ScannerEmptyPage = 20102;
constexpr int ScannerPageTooSmall = 20103;

} // namespace ScannerErrors
