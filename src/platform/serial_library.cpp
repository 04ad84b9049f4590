// The one symbol the serial port's library exports.
#include "platform/serial_library.h"
#include "platform/qt_serial_port.h"

#include <QtGlobal>

#include <type_traits>
#include <utility>

extern "C" Q_DECL_EXPORT talviro6::SerialPort *talviro6_make_serial_port(talviro6::PortMap *map)
{
    return new talviro6::QtSerialPort(std::move(*map));
}

static_assert(std::is_same_v<decltype(&talviro6_make_serial_port), talviro6::MakeSerialPort>,
              "the factory and its type as the window loads it must agree");
