#include "bench/bench_documents.h"

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "core/xml/file_text.h"

namespace tlbench {
namespace {

struct Source {
    const char* name;
    const char* path;
};

// Debian packages shared-mime-info, iso-codes and xkb-data.
const Source kSources[] = {
    {"mime", "/usr/share/mime/packages/freedesktop.org.xml"},
    {"iso639-3", "/usr/share/xml/iso-codes/iso_639-3.xml"},
    {"iso3166-2", "/usr/share/xml/iso-codes/iso_3166-2.xml"},
    {"xkb-rules", "/usr/share/X11/xkb/rules/evdev.xml"},
};

constexpr int kRepeats = 10;

bool ReadFile(const char* path, std::string& bytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::ostringstream content;
    content << in.rdbuf();
    bytes = content.str();
    return !bytes.empty();
}

// The root element of a file, without the declaration and document type before it.
std::string RootElement(const std::string& utf8) {
    size_t at = 0;
    while ((at = utf8.find('<', at)) != std::string::npos) {
        const char next = at + 1 < utf8.size() ? utf8[at + 1] : '\0';
        if (next != '?' && next != '!') break;
        ++at;
    }
    return at == std::string::npos ? std::string() : utf8.substr(at);
}

BenchDocument Make(std::string name, std::string utf8, bool real_file) {
    BenchDocument doc{std::move(name), std::move(utf8), {}, real_file};
    doc.text = tlxml::DecodeFileText(doc.utf8);
    return doc;
}

}  // namespace

std::string GeneratePackageList(int packages) {
    std::string out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<QVPF version=\"1.0\">\r\n";
    char line[512];
    for (int i = 0; i < packages; ++i) {
        std::snprintf(line, sizeof line,
                      "  <Package id=\"%d\" name=\"Skin &amp; plug-in %d\" version=\"27.0.%d\" type=\"skin\">\r\n"
                      "    <Action type=\"copy\" source=\"Skins\\skin%d.tls\" target=\"[SKINS]\\skin%d.tls\"/>\r\n"
                      "    <Action type=\"register\" file=\"plugin%d.dll\" flags=\"%d\"/>\r\n"
                      "    <Description><![CDATA[A <b>skin</b> for Tonehall, number %d]]></Description>\r\n"
                      "    <Setting Name=\"Color\">#%06X</Setting>\r\n"
                      "    <Setting Name=\"Title\">Skin &lt;%d&gt; &quot;classic&quot;</Setting>\r\n"
                      "    <!-- package %d -->\r\n"
                      "  </Package>\r\n",
                      i, i, i % 1000, i, i, i, i & 7, i, (i * 2654435761u) & 0xFFFFFF, i, i);
        out += line;
        if (i == packages - 3) out += "  <Late id=\"late\"/>\r\n";
    }
    out += "</QVPF>\r\n";
    return out;
}

std::string GenerateCatalogue(int messages) {
    std::string out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<catalogue>\n";
    for (int i = 0; i < messages; ++i) {
        const std::string n = std::to_string(i);
        out += "<message id=\"" + n + "\">\n<text lang=\"ru\">Установка проигрывателя завершена; нажмите «Готово», " +
               "чтобы закрыть мастер установки и запустить программу, номер " + n +
               "</text>\n<text lang=\"zh\">安装程序已完成媒体播放器的安装。单击“完成”关闭向导并启动程序，编号" + n +
               "</text>\n</message>\n";
    }
    return out + "</catalogue>\n";
}

std::vector<BenchDocument> LoadBenchDocuments(const std::vector<std::string>& extra_files) {
    std::vector<BenchDocument> documents;
    std::string repeated_source;
    for (const Source& source : kSources) {
        std::string bytes;
        if (!ReadFile(source.path, bytes)) {
            std::fprintf(stderr, "left out: %s (%s is missing)\n", source.name, source.path);
            continue;
        }
        if (repeated_source.empty()) repeated_source = RootElement(bytes);
        documents.push_back(Make(source.name, std::move(bytes), true));
    }
    if (!repeated_source.empty()) {
        std::string repeated = "<repeated>\n";
        for (int i = 0; i < kRepeats; ++i) repeated += repeated_source;
        repeated += "</repeated>\n";
        documents.push_back(Make(documents.front().name + "-x10", std::move(repeated), false));
    }
    documents.push_back(Make("catalogue", GenerateCatalogue(5000), false));
    for (const std::string& path : extra_files) {
        std::string bytes;
        if (!ReadFile(path.c_str(), bytes)) {
            std::fprintf(stderr, "left out: %s (it cannot be read or is empty)\n", path.c_str());
            continue;
        }
        documents.push_back(Make(path.substr(path.find_last_of('/') + 1), std::move(bytes), true));
    }
    // Last, as the searches below expect.
    documents.push_back(Make("packages", GeneratePackageList(20000), false));
    return documents;
}

}  // namespace tlbench
