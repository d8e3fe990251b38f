#pragma once

#include "app/IniDocument.h"
#include "app/Settings.h"

#include <QString>

// Two complete settings records that differ in every value, so that a file that is neither of them
// (a half-written one, or one mixing both) cannot pass for either.
// The storage folder is <folder>/storage, the one picture folder <folder>/pictures/.
Settings RecordA(const QString& folder);
Settings RecordB(const QString& folder);

// Whether `doc` holds every value SaveSettings writes, each as in `record`; `except` names one value
// that may differ.
bool HoldsRecord(const IniDocument& doc, const Settings& record, const char* except = nullptr);
