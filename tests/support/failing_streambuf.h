#pragma once

#include <ios>
#include <streambuf>
#include <string>

namespace talviro6::testing {

/// Delivers `content`, then fails as the standard file buffer does when read()
/// fails (a folder, an I/O error): by throwing from underflow.
class FailingStreambuf : public std::streambuf {
  public:
    explicit FailingStreambuf(std::string content) : m_content(std::move(content))
    {
        setg(m_content.data(), m_content.data(), m_content.data() + m_content.size());
    }

  protected:
    int_type underflow() override { throw std::ios_base::failure("read error"); }

  private:
    std::string m_content;
};

} // namespace talviro6::testing
