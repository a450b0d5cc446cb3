#pragma once

#include <QString>

// Whether the name ends in this year's extension ".fv1", in any case.
bool hasDeclarationExtension(const QString& fileName);

// The name a declaration is saved under when it came from `fileName`: kept when it ends in
// ".fv1"; an earlier year's extension (".fv0", ".fv2" to ".fv9", ".fvl", in any case) is
// replaced by ".fv1"; any other name gets ".fv1" appended.
QString withDeclarationExtension(const QString& fileName);

// Whether the file holds a declaration of this year. False for an earlier year's declaration
// (which may have the same extension) and for a file that is no declaration or cannot be read.
bool isThisYearsDeclarationFile(const QString& fileName);
