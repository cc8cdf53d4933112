#pragma once
// Contact sheets (PNG) for people to look at: every frame of every part file, and the characters
// composed as the program composes them, walking and meeting their partners.
#include "PartSet.h"

#include <QPoint>
#include <QString>
#include <vector>

// One sheet per GIF file: its frames enlarged twice, ten to a row.
void WriteFileSheet(const QString &path, const TCels &frames);
// The catalogues, one row each, at their own size: what the editor's part strip offers.
void WriteCatalogueSheet(const QString &path, const std::vector<TCels> &catalogues);
// Composed characters: the walk cycles of each direction of one body, and every interaction with
// both partners at the distance the animation keeps them apart.
void WriteWalkSheet(const QString &path, const TPartSet &parts, int body);
void WriteInteractionSheet(const QString &path, const TPartSet &parts);
// A picture with characters standing in it where the program puts them: feet at (x, y) each.
void WriteScene(const QString &path, const QImage &picture, const TPartSet &parts,
                const std::vector<QPoint> &feet, const std::vector<int> &cels);
