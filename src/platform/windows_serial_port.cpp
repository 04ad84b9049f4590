#include "platform/windows_serial_port.h"

#include <algorithm>
#include <climits>

#include <windows.h>

namespace talviro6::cli {
namespace {

std::wstring wide(const std::string &text)
{
    if (text.empty())
        return {};
    const int n = ::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring out(static_cast<std::size_t>(std::max(n, 0)), L'\0');
    if (n > 0)
        ::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n);
    return out;
}

std::string utf8(const wchar_t *text, int length)
{
    const int n = ::WideCharToMultiByte(CP_UTF8, 0, text, length, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(std::max(n, 0)), '\0');
    if (n > 0)
        ::WideCharToMultiByte(CP_UTF8, 0, text, length, out.data(), n, nullptr, nullptr);
    return out;
}

/// The system's own sentence for an error, in UTF-8, without its line end and full stop.
std::string systemMessage(DWORD error)
{
    wchar_t *buffer = nullptr;
    const DWORD n =
        ::FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                         nullptr, error, 0, reinterpret_cast<wchar_t *>(&buffer), 0, nullptr);
    std::string text = n > 0 && buffer ? utf8(buffer, static_cast<int>(n)) : std::string();
    if (buffer)
        ::LocalFree(buffer);
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ' || text.back() == '.'))
        text.pop_back();
    return text.empty() ? "system error " + std::to_string(error) : text;
}

std::string openErrorText(const std::string &device, DWORD error)
{
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
        return device + ": no such port";
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
        return device + ": in use by another program";
    default:
        return device + ": " + systemMessage(error);
    }
}

/// The errors a port gives once its device is gone: a USB adapter pulled out.
bool meansGone(DWORD error)
{
    return error == ERROR_ACCESS_DENIED || error == ERROR_BAD_COMMAND || error == ERROR_GEN_FAILURE ||
           error == ERROR_DEVICE_NOT_CONNECTED || error == ERROR_OPERATION_ABORTED || error == ERROR_INVALID_HANDLE;
}

HANDLE handleOf(void *handle)
{
    return static_cast<HANDLE>(handle);
}

} // namespace

std::string windowsDeviceFor(const PortMap &map, int portNumber)
{
    if (portNumber < FirstPortNumber || portNumber > LastPortNumber)
        return {};
    if (!map.explicitPath(portNumber).empty())
        return map.explicitPath(portNumber);
    return "COM" + std::to_string(portNumber);
}

bool WindowsSerialPort::open(int portNumber)
{
    close();
    const std::string device = windowsDeviceFor(m_map, portNumber);
    if (device.empty()) {
        m_lastError = "COM" + std::to_string(portNumber) + ": no serial device behind this number";
        return false;
    }
    // COM10 and above are reached only through the device namespace; it serves the
    // lower numbers as well.
    const std::wstring path = device.starts_with("\\\\") ? wide(device) : L"\\\\.\\" + wide(device);
    HANDLE handle = ::CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0 /* for this process alone */, nullptr,
                                  OPEN_EXISTING, 0, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        m_lastError = openErrorText(device, ::GetLastError());
        return false;
    }
    m_handle = handle;
    const auto fail = [&](const char *what) {
        m_lastError = device + ": " + what + systemMessage(::GetLastError());
        close();
        return false;
    };
    if (::GetFileType(handle) != FILE_TYPE_CHAR) {
        close();
        m_lastError = device + ": not a serial port";
        return false;
    }
    DCB dcb{};
    dcb.DCBlength = sizeof dcb;
    if (!::GetCommState(handle, &dcb))
        return fail("not a serial port: ");
    dcb.BaudRate = 57600;
    dcb.ByteSize = 8;
    dcb.Parity = NOPARITY;
    dcb.StopBits = ONESTOPBIT;
    dcb.fBinary = TRUE;
    dcb.fParity = FALSE;
    dcb.fOutxCtsFlow = FALSE;
    dcb.fOutxDsrFlow = FALSE;
    dcb.fDtrControl = DTR_CONTROL_ENABLE;
    dcb.fDsrSensitivity = FALSE;
    dcb.fOutX = FALSE;
    dcb.fInX = FALSE;
    dcb.fErrorChar = FALSE;
    dcb.fNull = FALSE;
    dcb.fRtsControl = RTS_CONTROL_ENABLE;
    dcb.fAbortOnError = FALSE;
    if (!::SetCommState(handle, &dcb))
        return fail("cannot set 57600 8N1: ");
    // Reads take what is there and return; a write gives up after the bound.
    COMMTIMEOUTS timeouts{};
    timeouts.ReadIntervalTimeout = MAXDWORD;
    timeouts.ReadTotalTimeoutMultiplier = 0;
    timeouts.ReadTotalTimeoutConstant = 0;
    timeouts.WriteTotalTimeoutMultiplier = 0;
    timeouts.WriteTotalTimeoutConstant = WriteBoundMs;
    if (!::SetCommTimeouts(handle, &timeouts))
        return fail("cannot set the time-outs: ");
    ::PurgeComm(handle, PURGE_RXCLEAR | PURGE_TXCLEAR | PURGE_RXABORT | PURGE_TXABORT);
    m_lastError.clear();
    m_vanished = false;
    return true;
}

void WindowsSerialPort::close()
{
    if (!m_handle)
        return;
    ::CloseHandle(handleOf(m_handle));
    m_handle = nullptr;
}

std::size_t WindowsSerialPort::bytesWaiting()
{
    if (!m_handle)
        return 0;
    DWORD errors = 0;
    COMSTAT status{};
    if (!::ClearCommError(handleOf(m_handle), &errors, &status)) {
        if (meansGone(::GetLastError()))
            m_vanished = true;
        return 0;
    }
    return status.cbInQue;
}

std::size_t WindowsSerialPort::read(std::span<std::uint8_t> into)
{
    if (!m_handle || into.empty())
        return 0;
    DWORD got = 0;
    const DWORD want = static_cast<DWORD>(std::min<std::size_t>(into.size(), MAXDWORD));
    if (!::ReadFile(handleOf(m_handle), into.data(), want, &got, nullptr)) {
        if (meansGone(::GetLastError()))
            m_vanished = true;
        return 0;
    }
    return got;
}

void WindowsSerialPort::writeAndDrain(std::span<const std::uint8_t> bytes)
{
    if (!m_handle || bytes.empty())
        return;
    DWORD written = 0;
    const DWORD count = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), MAXDWORD));
    if (!::WriteFile(handleOf(m_handle), bytes.data(), count, &written, nullptr)) {
        if (meansGone(::GetLastError())) {
            m_vanished = true;
            return;
        }
    }
    // What a stalled line holds would reach the unit whenever the line moves again,
    // in the middle of a later frame: it is dropped with the frame.
    if (written < count)
        ::PurgeComm(handleOf(m_handle), PURGE_TXABORT | PURGE_TXCLEAR);
}

std::string WindowsSerialPort::deviceName(int portNumber) const
{
    return windowsDeviceFor(m_map, portNumber);
}

} // namespace talviro6::cli
