#pragma once
// The program's fixed identity: the title every box without a title of its own carries, the name its per-user
// company settings live under, its help file and the addresses its links open.

namespace tally::desk {

// Ends in a blank: the company caption title + " for - " + name shows two blanks before "for".
inline constexpr const char* kAppTitle = "Tallyvane ";
inline constexpr const char* kProductName = "Tallyvane V4.5";
// The source the desktop's own raised errors carry.
inline constexpr const char* kErrorSource = "tally_desk";
// The compiled help beside the program, and the collection the help viewer opens for it.
inline constexpr const char* kHelpFileName = "Tallyform.qch";
inline constexpr const char* kHelpCollectionName = "Tallyform.qhc";

inline constexpr const char* kWebAddress = "https://www.tallyvane.example/";
inline constexpr const char* kSupportAddress = "support@tallyvane.example";
// The program that shows Form 4562, as Getting Started and the Form 4562 request name it ("... is required"), and
// where it is to be had: the viewer the installation adds where the desktop has none for PDF files.
inline constexpr const char* kReaderName = "A PDF viewer such as xpdf";
inline constexpr const char* kReaderDownloadAddress = "https://packages.debian.org/bookworm/xpdf";

}  // namespace tally::desk
