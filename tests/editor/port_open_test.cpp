// The box of a port that will not open, in the window on its real serial port: the
// kept text, the device and the system's reason, then what is wrong and what to do,
// in the window's language.
#include "window_fixture.h"

#include "platform/qt_serial_port.h"
#include "texts/kept_texts.h"

#include <fstream>

#include <fcntl.h>
#include <stdlib.h>
#include <sys/file.h>
#include <unistd.h>

using namespace talviro6;
using namespace talviro6::testing;

namespace {

TEST(PortOpenBox, SaysWhyAndWhatToDoInTheWindowsLanguage)
{
    const int master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    ASSERT_GE(master, 0);
    ASSERT_EQ(::grantpt(master), 0);
    ASSERT_EQ(::unlockpt(master), 0);
    const std::string terminal = ::ptsname(master);
    // Held as another job of the tool holds it.
    const int holder = ::open(terminal.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    ASSERT_GE(holder, 0);
    ASSERT_EQ(::flock(holder, LOCK_EX | LOCK_NB), 0);
    std::string ownName;
    std::getline(std::ifstream("/proc/self/comm"), ownName);

    QTemporaryDir folder;
    const std::string gone = (folder.path() + QStringLiteral("/ttyUSB7")).toStdString();
    PortMap map;
    map.setExplicit(1, terminal);
    map.setExplicit(2, gone);
    QtSerialPort port(map, [] { return std::vector<std::string>{"/dev/ttyS0", "/dev/ttyUSB0"}; });
    RecordingDialogs dialogs;
    RecordingPrinter printer;
    RecordingShell shell;
    FormHlav window{port, WindowServices{dialogs, printer, shell, folder.path()}, FormHlav::TickSource::Manual};
    window.FormCreate({});
    ASSERT_EQ(dialogs.messages.size(), 1u) << "COM1 is held";
    EXPECT_EQ(dialogs.messages[0].toStdString(), "Com opening error!\n" + terminal +
                                                     ": in use by another program\n"
                                                     "Another program holds the device: " +
                                                     ownName + " (PID " + std::to_string(::getpid()) +
                                                     "). Close it, then try again.");

    window.controls().menu.MenuCzech->trigger();
    window.controls().menu.MenuComItems[1]->trigger();
    ASSERT_EQ(dialogs.messages.size(), 2u) << "COM2 is not there";
    const QStringList lines = dialogs.messages[1].split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 3) << dialogs.messages[1].toStdString();
    EXPECT_EQ(lines[0], QString::fromStdString(KeptTexts(3)[TextRole::TextComOpenError]));
    EXPECT_TRUE(lines[1].startsWith(QString::fromStdString(gone + ": "))) << lines[1].toStdString();
    EXPECT_EQ(lines[2], QStringLiteral("Zařízení není k dispozici. Nyní dostupná sériová zařízení: /dev/ttyUSB0, "
                                       "/dev/ttyS0"));
    ::close(holder);
    ::close(master);
}

} // namespace
