#pragma once
// The desktop's program-wide variables: the current company/client, the default tax year, the one help object
// and the picker flag, and the routines that read and write the desktop's saved settings: the one row of
// tblDefaults (shared by every user of the database) and the per-user settings (last company, window places).

#include <cstdint>
#include <memory>

#include <QString>

#include "HTMLHelp.h"
#include "Variant.h"

class QWidget;

namespace tally::desk {

inline std::int32_t glngCompanyId = 0;
inline QString gstrCompanyName;
inline std::int16_t gintDefaultYear = 0;
inline std::unique_ptr<HTMLHelp> gobjHTMLHelp;
// Company maintenance was opened from the picker's New button: closing it brings the picker back.
inline bool gblnFromCompanyPicker = false;
// The asset window is editing a stored asset (set through SetEditAsset).
inline bool gblnEditAsset = false;

// tblDefaults. Each routine reports its own errors ("Error in <name> " description number) and goes on; a
// failed read leaves the year 0 and the switches False.
void RetrieveDbDefaultYear();
// Stores the year rounded to a whole number (halves to even) and keeps that same number as the default year.
void SetDefaultYear(const vb::Variant& year);
bool CheckForStartUpHelp();
void SetStartUpHelp(bool value);
bool CheckForShowCompany();
void SetShowCompany(bool value);

std::int16_t GetDefaultYear();
void SetCompanyId(std::int32_t id);
void SetEditAsset(bool editing);

// The caption of the main window for a company: title + " for - " + name.
QString companyCaption(const QString& companyName);

// Per-user settings. The last company is read at start-up and written at a normal exit only.
void GetLastCompany(QWidget& mainWindow);
void SaveLastCompany();
// A window's place (Left, Top, Width, Height in twips) under its own objectName; saved only in normal state.
void GetFormPosition(QWidget& window);
void SaveFormPosition(const QWidget& window);

}  // namespace tally::desk
