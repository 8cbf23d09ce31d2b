#include "single_texture_steps.h"

#include <fstream>
#include <limits>
#include <system_error>

#include <QImageReader>

#include "byte_range.h"
#include "common_dialog.h"
#include "image_box.h"

namespace texel {

namespace {

constexpr size_t kLongSize = 4;
// "DXT1" .. "DXT5" read little-endian: 'D' 'X' 'T' then the digit.
constexpr uint32_t kDxtPrefix = 0x00545844;
constexpr uint32_t kDxtPrefixMask = 0x00FFFFFF;

uint32_t Le32At(const std::vector<uint8_t>& bytes, size_t offset) {
  return uint32_t{bytes[offset]} | uint32_t{bytes[offset + 1]} << 8 |
         uint32_t{bytes[offset + 2]} << 16 | uint32_t{bytes[offset + 3]} << 24;
}

int32_t CountOf(const corvane::BinaryFile& file) {
  const int64_t length = file.Length();
  if (length > std::numeric_limits<int32_t>::max()) {
    throw StepFailure("The file \"" + file.Path().string() + "\" is too large.");
  }
  return static_cast<int32_t>(length);
}

}  // namespace

bool DdsSplice(const fs::path& work, const fs::path& texture) {
  std::vector<uint8_t> head;
  std::vector<uint8_t> fresh;
  int32_t marker = 0;
  {
    corvane::BinaryFile w(work, corvane::BinaryFile::Mode::ReadOnly);
    marker = corvane::FindLong(w, 1, corvane::kDdsMagic);
    if (marker == 0) return false;
    if (marker > 1) head = corvane::ReadBlock(w, 1, marker - 1);
    corvane::BinaryFile n(texture, corvane::BinaryFile::Mode::ReadOnly);
    const int32_t count = CountOf(n);
    if (count == 0) throw StepFailure("The HD texture \"" + texture.string() + "\" is empty.");
    fresh = corvane::ReadBlock(n, 1, count);
  }
  // Written beside the work file and renamed over it, so a failed write leaves it whole.
  fs::path temp = work;
  temp += ".splice";
  try {
    corvane::BinaryFile out(temp, corvane::BinaryFile::Mode::Truncate);
    if (!head.empty()) corvane::WriteBlock(out, 1, head);
    corvane::WriteBlock(out, marker, fresh);
    out.Close();
    fs::rename(temp, work);
  } catch (...) {
    std::error_code ignored;
    fs::remove(temp, ignored);
    throw;
  }
  return true;
}

bool HoldsHdSizeValue(const fs::path& file) {
  const std::vector<uint8_t> bytes = ReadWholeFile(file);
  for (size_t i = 0; i + kLongSize <= bytes.size(); ++i) {
    const uint32_t v = Le32At(bytes, i);
    if (v == kHdSizeLarge || v == kHdSizeSmall) return true;
  }
  return false;
}

std::optional<QString> ScanDxtType(const fs::path& file, FourCcStride stride) {
  const std::vector<uint8_t> bytes = ReadWholeFile(file);
  std::optional<QString> caption;
  size_t offset = 0;
  while (offset + kLongSize <= bytes.size()) {
    const uint32_t v = Le32At(bytes, offset);
    const uint8_t digit = static_cast<uint8_t>(v >> 24);
    if ((v & kDxtPrefixMask) == kDxtPrefix && digit >= '1' && digit <= '5') {
      caption = QStringLiteral("DXT - ") + QChar(digit);
      offset += kLongSize;
    } else {
      offset += static_cast<size_t>(stride);
    }
  }
  return caption;
}

QString PixelCaption(int pixels) { return QString::number(pixels) + " PX "; }

QSize PictureSize(const fs::path& bitmap) {
  // The header is enough; a picture that does not read is reported by the full load.
  const QSize size = QImageReader(ToText(bitmap)).size();
  return size.isValid() ? size : ui::BitmapPixelSize(bitmap);
}

std::vector<uint8_t> ReadWholeFile(const fs::path& file) {
  std::ifstream in(file, std::ios::binary | std::ios::ate);
  if (!in) throw StepFailure("Cannot read \"" + file.string() + "\": file not found.");
  std::vector<uint8_t> bytes(static_cast<size_t>(in.tellg()));
  in.seekg(0);
  in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!in) throw StepFailure("Cannot read \"" + file.string() + "\".");
  return bytes;
}

void WriteWholeFile(const fs::path& file, const std::vector<uint8_t>& bytes) {
  fs::path temp = file;
  temp += ".part";
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
      std::error_code ignored;
      fs::remove(temp, ignored);
      throw StepFailure("Cannot write \"" + file.string() + "\".");
    }
  }
  fs::rename(temp, file);
}

bool IsNonEmptyFile(const fs::path& file) {
  std::error_code error;
  return fs::is_regular_file(file, error) && fs::file_size(file, error) > 0 && !error;
}

void OnPickOneHdTexture(Workbench& bench, const PickTextureRow& row) {
  row.dialog->DialogTitle = row.title;
  row.dialog->Filter = row.filter;
  row.dialog->ShowOpen();
  if (row.dialog->FileName.isEmpty()) return;
  if (row.pathBoxFirst) row.pathBox->setText(row.dialog->FileName);
  bench.FileSystem().CopyFile(ToPath(row.dialog->FileName), row.target);
  if (!row.pathBoxFirst) row.pathBox->setText(row.dialog->FileName);
}

bool RefuseAlreadyHd(Workbench& bench, const fs::path& unpacked) {
  if (!HoldsHdSizeValue(unpacked)) return false;
  bench.Message(TwoLines("File Is Already HD", "Do You Want To Continue ?"), ui::kErrorOk,
                bench.Caption());
  return true;
}

fs::path ToPath(const QString& text) { return fs::path(text.toStdString()); }
QString ToText(const fs::path& path) { return QString::fromStdString(path.string()); }

}  // namespace texel
