// The note group of every tab (GroupBox30 with its read-only text Text1 and picture Image1):
// what the tab's HD textures must be.
#pragma once

#include <filesystem>

#include <QGroupBox>
#include <QString>
#include <QStringList>

namespace texel {

enum class NoteKind { Square1024, Boot1024x512, Truf4096x2048, Boot3d };

// The note's lines, each followed by CR LF, trailing blanks kept.
QString NoteText(NoteKind kind);

// Builds GroupBox30 with Text1 and Image1; `index` is the control index of the note group.
// The picture comes from `pictures`; a missing picture leaves the box empty.
QGroupBox* CreateNoteGroup(QWidget* parent, NoteKind kind, int index,
                           const std::filesystem::path& pictures);

}  // namespace texel
