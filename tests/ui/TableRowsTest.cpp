#include <gtest/gtest.h>

#include <QApplication>
#include <QTreeWidgetItem>

#include "ui/UiTestSupport.h"
#include "ui/table/TableDlg.h"

namespace brv3 {
namespace {

QTreeWidgetItem* Row(QTreeWidget& list, const char* no, const char* name) {
  return new QTreeWidgetItem(&list,
                             QStringList{no, QString::fromUtf8(name), "3", "--/-- --:--", "65535"});
}

// Rows holding Japanese names (drawn from a taller fallback font) are as tall as the others,
// and none is cut below what its text needs.
TEST(TableListViewTest, RowsWithJapaneseNamesAreNoTallerThanTheOthers) {
  QTreeWidget plain;
  Row(plain, "M1", "WALK");
  Row(plain, "M2", "歩行");
  const int latin = plain.sizeHintForRow(0);
  const int japanese = plain.sizeHintForRow(1);

  TableListView list;
  list.setColumnCount(5);
  const char* names[] = {"WALK", "歩行テスト", "", "ターン", "KICK", "おじぎ"};
  int n = 0;
  for (const char* name : names) Row(list, ("M" + std::to_string(++n)).c_str(), name);
  list.MakeRowsUniform();
  list.resize(500, 400);
  list.show();
  QApplication::processEvents();

  const int first = list.visualItemRect(list.topLevelItem(0)).height();
  EXPECT_GE(first, std::max(latin, japanese));
  for (int i = 1; i < list.topLevelItemCount(); ++i)
    EXPECT_EQ(list.visualItemRect(list.topLevelItem(i)).height(), first) << names[i];
  // Rebuilt rows keep the height.
  list.clear();
  Row(list, "M1", "WALK");
  Row(list, "M2", "歩行");
  list.MakeRowsUniform();
  QApplication::processEvents();
  EXPECT_EQ(list.visualItemRect(list.topLevelItem(1)).height(), first);
  EXPECT_EQ(list.visualItemRect(list.topLevelItem(0)).height(), first);
}

}  // namespace
}  // namespace brv3
