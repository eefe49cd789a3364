// Renders the application's windows, as their forms build them, over the sample catalogue into
// PNG files for a person to look at: render_windows [output folder].
#include "catalogue/ProgramFilter.h"
#include "catalogue/ProgramModule.h"
#include "data/mData.h"
#include "db/IBDataSet.h"
#include "db/IBQuery.h"
#include "platform/Cp1251.h"
#include "platform/ErrorHandler.h"
#include "platform/FormatSettings.h"
#include "platform/QtFormatSettings.h"
#include "schedule/Main.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDatabase.h"
#include "support/grid/RecordGrid.h"

#include <QApplication>
#include <QPixmap>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

namespace {

std::string SampleSql() {
    std::ifstream in(std::string(SKEDORA_SOURCE_DIR) + "/sql/sample.sql");
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// A broadcast file of three programmes, as the export writes it: the second overlaps the first,
// and a gap comes before the third.
std::string WriteBroadcastFile(const std::string& folder) {
    const std::string file = folder + "/imported.xml";
    std::ofstream out(file, std::ios::binary);
    out << "<?xml version=\"1.0\" encoding=\"utf-8\" standalone=\"yes\" ?>\r\n<broadcasts>\r\n";
    const char* const rows[][4] = {{"06:00", "1:00:00", "Новини", "Сутрешен блок [HD]"},
                                   {"06:45", "0:30:00", "Времето", "Прогноза & карта"},
                                   {"07:30", "1:30:00", "Филм", "Под игото"}};
    int uid = 1;
    for (const auto& row : rows)
        out << "  <broadcast>\r\n    <date>2010-06-17</date>\r\n    <time>" << row[0]
            << "</time>\r\n    <duration>" << row[1] << "</duration>\r\n    <series><![CDATA["
            << Utf8ToCp1251(row[2]) << "]]></series>\r\n    <program><![CDATA["
            << Utf8ToCp1251(row[3]) << "]]></program>\r\n    <programuid><![CDATA[BG - " << uid++
            << "]]></programuid>\r\n    <language>" << Utf8ToCp1251("бг")
            << "</language>\r\n  </broadcast>\r\n";
    out << "</broadcasts>\r\n";
    return file;
}

void Save(QWidget& window, const std::string& file) {
    window.show();
    QApplication::processEvents();
    window.grab().save(QString::fromStdString(file));
    std::cout << file << "\n";
}

} // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    const std::string folder = argc > 1 ? argv[1] : std::string(SKEDORA_BINARY_DIR) + "/screens";
    std::filesystem::create_directories(folder);
    DefaultFormatSettings() = ReadSystemFormatSettings();
    SetApplicationTitle("Skedora");
    ScriptedDialogs dialogs;
    TempDatabase database(SampleSql());
    std::ofstream(database.Folder() + "/SQL.ini") << "[DATABASE]\nSERVER=" << database.Path();

    TfrmMain main;
    TmodData data(database.Folder() + "/", [&](TmodData& d) { main.BindDataModule(d); });
    main.OpenStoredDay();
    Save(main, folder + "/main_window.png");

    // The picker as "Add Program(s)" shows it, with two rows chosen.
    dialogs.AnswerWith([&](const DialogCall& call) {
        auto& picker = static_cast<TfrmProgramFilter&>(*call.Window);
        picker.grdPrograms->SelectedBookmarks().SetCurrentRowSelected(true);
        picker.qryPrograms->MoveBy(2);
        picker.grdPrograms->SelectedBookmarks().SetCurrentRowSelected(true);
        Save(picker, folder + "/picker.png");
        return mrCancel;
    });
    TfrmProgramFilter::SelectPrograms(data);

    // The catalogue as "Show All Programs" shows it, on its third row.
    dialogs.AnswerWith([&](const DialogCall& call) {
        auto& catalogue = static_cast<TfrmPrograms&>(*call.Window);
        catalogue.dstPrograms->MoveBy(2);
        Save(catalogue, folder + "/catalogue.png");
        catalogue.dstPrograms->Cancel();
        return mrCancel;
    });
    TfrmPrograms::ShowProgramCatalogue(data);

    // The day as "Import" reads it from a broadcast file.
    dialogs.AnswerFile(WriteBroadcastFile(database.Folder()));
    main.actImport->trigger();
    Save(main, folder + "/imported.png");

    // The More menu's windows as their entries open them; the preview shows the imported day.
    for (const auto& [action, name] :
         {std::pair{main.actCopyDay, "copy_day"}, std::pair{main.actSettings, "settings"},
          std::pair{main.actExportXmltv, "xmltv_range"},
          std::pair{main.actPrint, "print_preview"}}) {
        dialogs.AnswerWith([&folder, name = name](const DialogCall& call) {
            call.Window->resize(call.Window->sizeHint().expandedTo(QSize(200, 100)));
            if (std::string(name) == "print_preview") call.Window->resize(700, 900);
            Save(*call.Window, folder + "/" + name + ".png");
            return mrCancel;
        });
        action->trigger();
    }
    for (const std::string& message : dialogs.Messages())
        std::cerr << "message: " << message << "\n";
    return dialogs.Messages().empty() ? 0 : 1;
}
