#include "support/pdf_text.h"

#include <cstdio>
#include <memory>
#include <regex>

#include "support/shell.h"

namespace testing_support {

namespace {

std::string Output(const std::string& command) {
  std::string out;
  std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
  if (!pipe) return out;
  char buffer[4096];
  while (size_t n = std::fread(buffer, 1, sizeof buffer, pipe.get())) out.append(buffer, n);
  return out;
}

std::string Unescape(std::string s) {
  for (const auto& [from, to] : {std::pair<std::string, std::string>{"&lt;", "<"},
                                 {"&gt;", ">"},
                                 {"&quot;", "\""},
                                 {"&apos;", "'"},
                                 {"&amp;", "&"}}) {
    for (size_t at = s.find(from); at != std::string::npos; at = s.find(from, at + to.size()))
      s.replace(at, from.size(), to);
  }
  return s;
}

}  // namespace

std::vector<PdfPage> PdfPages(const std::string& path) {
  const std::string xhtml = Output("pdftotext -bbox " + Quote(path) + " - 2>/dev/null");
  static const std::regex page(R"re(<page width="([0-9.]+)" height="([0-9.]+)">)re");
  static const std::regex word(
      R"re(<word xMin="([-0-9.]+)" yMin="([-0-9.]+)" xMax="([-0-9.]+)" yMax="([-0-9.]+)">([^<]*)</word>)re");
  std::vector<PdfPage> pages;
  size_t at = 0;
  std::smatch m;
  while (true) {
    const size_t next = xhtml.find("<page ", at);
    if (next == std::string::npos) break;
    const size_t end = xhtml.find("</page>", next);
    const std::string body =
        xhtml.substr(next, end == std::string::npos ? std::string::npos : end - next);
    PdfPage p{};
    if (std::regex_search(body, m, page)) p = {std::stod(m[1]), std::stod(m[2]), {}};
    for (auto it = std::sregex_iterator(body.begin(), body.end(), word);
         it != std::sregex_iterator(); ++it)
      p.words.push_back({Unescape((*it)[5]), std::stod((*it)[1]), std::stod((*it)[2]),
                         std::stod((*it)[3]), std::stod((*it)[4])});
    pages.push_back(std::move(p));
    if (end == std::string::npos) break;
    at = end;
  }
  return pages;
}

std::map<std::string, std::string> PdfInfo(const std::string& path) {
  std::map<std::string, std::string> info;
  const std::string out = Output("pdfinfo " + Quote(path) + " 2>/dev/null");
  size_t start = 0;
  while (start < out.size()) {
    size_t end = out.find('\n', start);
    if (end == std::string::npos) end = out.size();
    const std::string line = out.substr(start, end - start);
    if (const size_t colon = line.find(':'); colon != std::string::npos) {
      const size_t value = line.find_first_not_of(' ', colon + 1);
      info[line.substr(0, colon)] = value == std::string::npos ? "" : line.substr(value);
    }
    start = end + 1;
  }
  return info;
}

const PdfWord* FindWord(const PdfPage& page, const std::string& text) {
  for (const PdfWord& word : page.words)
    if (word.text == text) return &word;
  return nullptr;
}

}  // namespace testing_support
