// Saves record A and record B of RecordPair.h in turn, forever, with the program's own settings code,
// for the test that kills it in the middle. Prints "saved" once the file first holds a record.
//   settings_saver INI_FILE FOLDER
#include "RecordPair.h"

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 3) return 2;
    const SettingsStore store(QString::fromLocal8Bit(argv[1]));
    const QString folder = QString::fromLocal8Bit(argv[2]);
    const Settings records[] = {RecordA(folder), RecordB(folder)};
    for (unsigned i = 0;; ++i) {
        if (!SaveSettings(store, records[i % 2])) return 1;
        if (i == 0) {
            std::puts("saved");
            std::fflush(stdout);
        }
    }
}
