#pragma once
// The program's version, as the About box shows it: four numbers.
#include <QString>

// This program's version ("1.0.0.0"), from the build.
QString fileVersionText();
// A version of one to four numbers written as four: "3.1" gives "3.1.0.0",
// "3.1.1.26" stays as it is. Empty for a text that is not a version.
QString fourPartVersion(const QString &version);
