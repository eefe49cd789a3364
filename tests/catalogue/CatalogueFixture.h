#pragma once

#include "support/ScriptedDialogs.h"
#include "support/TempDatabase.h"

#include <QtCore/qnamespace.h>
#include <gtest/gtest.h>
#include <memory>
#include <string>

class QWidget;
class TmodData;
class TRecordGrid;

// The data module attached to a fresh database holding `sql`'s rows.
class CatalogueFixture : public testing::Test {
protected:
    CatalogueFixture();
    ~CatalogueFixture() override;

    void Start(const std::string& sql = {});
    // Shows the window as the active one, so its widgets take the focus.
    static void ShowActive(QWidget& window);
    // A click on a data row (0 = top shown row) of the grid, with modifiers.
    static void ClickRow(TRecordGrid& grid, int row, Qt::KeyboardModifiers modifiers = {});
    static void ClickTitle(TRecordGrid& grid, int dataCol);

    ScriptedDialogs dialogs_;
    std::unique_ptr<TempDatabase> database_;
    std::unique_ptr<TmodData> data_;
};

std::string Programme(int id, const std::string& name, const std::string& series = "S",
                      const std::string& duration = "00:30");
std::string Broadcast(int id, const std::string& date);
