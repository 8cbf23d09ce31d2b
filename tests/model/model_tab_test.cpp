#include "model_tab_test.h"

#include <QListWidget>

#include "guard_error.h"
#include "image_box.h"
#include "packed_container.h"

namespace testing_support {

void ModelTabTest::TearDown() { EXPECT_EQ(h.Script().Pending(), 0u) << "unused scripted answers"; }

void ModelTabTest::WriteGameFile(const std::string& name, const fixtures::Bytes& unpacked) {
  fixtures::WriteFile(h.User(name), fixtures::Pack(unpacked));
}

void ModelTabTest::WriteHdTextures(const std::vector<fixtures::Bytes>& textures) {
  for (size_t i = 0; i < textures.size(); ++i) {
    fixtures::WriteFile(h.User("hd" + std::to_string(i + 1) + ".dds"), textures[i]);
  }
  m_hdCount = textures.size();
}

void ModelTabTest::Open(const std::string& name) {
  h.Script().ChooseFile(h.UserText(name));
  h.Click(m_tab.open);
}

void ModelTabTest::PickAll() {
  for (size_t i = 0; i < m_hdCount; ++i) {
    h.Script().ChooseFile(h.UserText("hd" + std::to_string(i + 1) + ".dds"));
  }
  h.Click(m_tab.pick);
}

void ModelTabTest::CreateAndSave(const std::string& name) {
  h.Select(m_tab.hdOption);
  h.Script().AnswerYes();
  h.Script().ChooseFile(h.UserText(name));
  h.Click(m_tab.create);
}

void ModelTabTest::ExportSlot(const QString& listText, int format, const std::string& name) {
  auto* list = h.Find<QListWidget>(m_tab.exportList);
  const auto found = list->findItems(listText, Qt::MatchExactly);
  ASSERT_EQ(found.size(), 1) << listText.toStdString();
  list->setCurrentRow(list->row(found.front()));
  h.Select(m_tab.formats[format]);
  h.Script().ChooseFile(h.UserText(name));
  h.Click(m_tab.exportSlot);
}

QImage ModelTabTest::Picture(const char* imageBox) {
  return h.Find<ui::ImageBox>(imageBox)->Picture().toImage().convertToFormat(QImage::Format_RGB32);
}

QImage ModelTabTest::Bitmap(const char* name) const {
  QImage bitmap(QString::fromStdString(Work(name).string()));
  return bitmap.convertToFormat(QImage::Format_RGB32);
}

void ModelTabTest::ExpectOnlyGuardError(const std::string& doing,
                                        const std::vector<std::string>& reason) {
  EXPECT_THAT(h.Script().Messages(),
              testing::ElementsAre(GuardErrorBox<ui::ShownMessage>(doing, reason)));
}

std::vector<Shown> ModelTabTest::AskedAndSaved(const QString& question,
                                               const std::string& name) const {
  return {{question + "\r\nDo You Want Save ?", 68, kCaption},
          {"Save Succesfull\r\n" + h.UserText(name), 64, kCaption}};
}

}  // namespace testing_support
