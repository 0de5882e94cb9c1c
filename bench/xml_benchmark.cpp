// Times the installer's XML document against pugixml and RapidXML's non-destructive mode on the same
// logical documents (UTF-16 text for the document, UTF-8 bytes for the others), then prints the
// ratios and each parser's memory per element. Warm runs reuse the parser object with the text in
// cache; cold runs evict the caches and build a fresh parser object each time.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <set>
#include <pugixml.hpp>
#include <rapidxml/rapidxml.hpp>
#include <string>
#include <string_view>
#include <vector>

#include "bench/bench_documents.h"
#include "bench/ratio_reporter.h"
#include "core/xml/file_text.h"
#include "core/xml/tl_xml_document.h"

namespace {

using tlbench::BenchDocument;

struct Tonehall {
    TLXMLDocument doc;
    bool Parse(const BenchDocument& d) { return doc.SetDocument(d.text) || doc.GetElementCount() > 0; }
    size_t Elements() const { return doc.GetElementCount(); }
};

struct Pugi {
    pugi::xml_document doc;
    bool Parse(const BenchDocument& d) {
        return doc.load_buffer(d.utf8.data(), d.utf8.size(), pugi::parse_default, pugi::encoding_utf8);
    }
};

struct Rapid {
    rapidxml::xml_document<char> doc;
    bool Parse(const BenchDocument& d) {
        doc.clear();
        try {
            // Non-destructive: the buffer is only read, though the interface asks for a mutable one.
            doc.parse<rapidxml::parse_non_destructive>(const_cast<char*>(d.utf8.c_str()));
        } catch (const rapidxml::parse_error&) {
            return false;
        }
        return true;
    }
};

void EvictCaches() {
    static std::vector<char> buffer(64 << 20);
    for (size_t i = 0; i < buffer.size(); i += 64) buffer[i]++;
    benchmark::ClobberMemory();
}

template <class Parser>
void ParseWarm(benchmark::State& state, const BenchDocument* d) {
    auto parser = std::make_unique<Parser>();
    if (!parser->Parse(*d)) state.SkipWithError("the document does not parse");
    for (auto _ : state) benchmark::DoNotOptimize(parser->Parse(*d));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * d->utf8.size()));
}

template <class Parser>
void ParseCold(benchmark::State& state, const BenchDocument* d) {
    for (auto _ : state) {
        state.PauseTiming();
        EvictCaches();
        state.ResumeTiming();
        auto parser = std::make_unique<Parser>();
        benchmark::DoNotOptimize(parser->Parse(*d));
        parser.reset();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * d->utf8.size()));
}

// --- Path searches on the package list ------------------------------------------------------------

void SearchPathTonehall(benchmark::State& state, const BenchDocument* d) {
    Tonehall p;
    p.Parse(*d);
    for (auto _ : state) {
        p.doc.ResetPosition();
        if (!p.doc.FindElement(u"/*/Package/Action")) state.SkipWithError("not found");
    }
}

void SearchPathPugi(benchmark::State& state, const BenchDocument* d) {
    Pugi p;
    p.Parse(*d);
    for (auto _ : state) {
        pugi::xml_node found = p.doc.document_element().child("Package").child("Action");
        if (!found) state.SkipWithError("not found");
        benchmark::DoNotOptimize(found);
    }
}

void SearchPathRapid(benchmark::State& state, const BenchDocument* d) {
    Rapid p;
    p.Parse(*d);
    for (auto _ : state) {
        auto* root = p.doc.first_node();
        auto* package = root ? root->first_node("Package", 7) : nullptr;
        auto* found = package ? package->first_node("Action", 6) : nullptr;
        if (!found) state.SkipWithError("not found");
        benchmark::DoNotOptimize(found);
    }
}

void SearchLateTonehall(benchmark::State& state, const BenchDocument* d) {
    Tonehall p;
    p.Parse(*d);
    for (auto _ : state) {
        p.doc.ResetPosition();
        if (!p.doc.FindElement(u"//Late")) state.SkipWithError("not found");
    }
}

void SearchLatePugi(benchmark::State& state, const BenchDocument* d) {
    Pugi p;
    p.Parse(*d);
    for (auto _ : state) {
        pugi::xml_node found = p.doc.find_node([](pugi::xml_node n) { return std::strcmp(n.name(), "Late") == 0; });
        if (!found) state.SkipWithError("not found");
        benchmark::DoNotOptimize(found);
    }
}

void SearchLateRapid(benchmark::State& state, const BenchDocument* d) {
    Rapid p;
    p.Parse(*d);
    for (auto _ : state) {
        // Depth first without recursion, as the other two do.
        rapidxml::xml_node<char>* node = p.doc.first_node();
        rapidxml::xml_node<char>* found = nullptr;
        while (node && !found) {
            if (node->name_size() == 4 && std::memcmp(node->name(), "Late", 4) == 0) {
                found = node;
            } else if (node->first_node()) {
                node = node->first_node();
            } else {
                while (node && !node->next_sibling()) node = node->parent();
                node = node ? node->next_sibling() : nullptr;
            }
        }
        if (!found) state.SkipWithError("not found");
        benchmark::DoNotOptimize(found);
    }
}

// --- End to end: parse, search, decode what was found -------------------------------------------
// "end-to-end" runs the two searches above on a freshly parsed list and decodes the values of the
// elements found; "read-all" visits every package and decodes five values of each, the worst case
// for a document that decodes lazily.

void EndToEndTonehall(benchmark::State& state, const BenchDocument* d) {
    Tonehall p;
    for (auto _ : state) {
        p.Parse(*d);
        TLXMLDocument& doc = p.doc;
        size_t total = 0;
        if (doc.FindElement(u"/*/Package/Action"))
            total += doc.GetAttribute(u"type").length() + doc.GetAttribute(u"target").length();
        doc.ResetPosition();
        if (doc.FindElement(u"//Late")) total += doc.GetAttribute(u"id").length();
        if (doc.FindElement(u"Package"))
            total += doc.GetAttribute(u"name").length() + doc.GetChildData(u"Description").length();
        benchmark::DoNotOptimize(total);
    }
}

void EndToEndPugi(benchmark::State& state, const BenchDocument* d) {
    Pugi p;
    for (auto _ : state) {
        p.Parse(*d);
        size_t total = 0;
        pugi::xml_node action = p.doc.document_element().child("Package").child("Action");
        total += std::strlen(action.attribute("type").value()) + std::strlen(action.attribute("target").value());
        pugi::xml_node late = p.doc.find_node([](pugi::xml_node n) { return std::strcmp(n.name(), "Late") == 0; });
        total += std::strlen(late.attribute("id").value());
        pugi::xml_node package = late.next_sibling("Package");
        total +=
            std::strlen(package.attribute("name").value()) + std::strlen(package.child("Description").child_value());
        benchmark::DoNotOptimize(total);
    }
}

void ReadAllTonehall(benchmark::State& state, const BenchDocument* d) {
    Tonehall p;
    for (auto _ : state) {
        p.Parse(*d);
        TLXMLDocument& doc = p.doc;
        size_t total = 0;
        doc.FindElement(u"/*");
        doc.IntoElement();
        while (doc.FindElement(u"Package")) {
            total += doc.GetAttribute(u"name").length();
            total += doc.GetChildData(u"Description").length();
            doc.IntoElement();
            while (doc.FindElement(u"Setting")) total += doc.GetData().length() + doc.GetAttribute(u"Name").length();
            doc.OutOfElement();
        }
        benchmark::DoNotOptimize(total);
    }
}

void ReadAllPugi(benchmark::State& state, const BenchDocument* d) {
    Pugi p;
    for (auto _ : state) {
        p.Parse(*d);
        size_t total = 0;
        for (pugi::xml_node package : p.doc.document_element().children("Package")) {
            total += std::strlen(package.attribute("name").value());
            total += std::strlen(package.child("Description").child_value());
            for (pugi::xml_node setting : package.children("Setting"))
                total += std::strlen(setting.child_value()) + std::strlen(setting.attribute("Name").value());
        }
        benchmark::DoNotOptimize(total);
    }
}

// --- From file bytes to a searchable document ----------------------------------------------------
// What reading a file costs: the installer decodes the bytes to its UTF-16 text and parses that;
// pugixml and RapidXML start from the same bytes (RapidXML from its own zero-terminated copy, as it
// needs one). Each reuses its document object, as in the warm parses.

void FileToDocumentTonehall(benchmark::State& state, const BenchDocument* d) {
    TLXMLDocument doc;
    for (auto _ : state) {
        doc.SetDocument(tlxml::DecodeFileText(d->utf8));
        benchmark::DoNotOptimize(doc.GetElementCount());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * d->utf8.size()));
}

void FileToDocumentPugi(benchmark::State& state, const BenchDocument* d) {
    pugi::xml_document doc;
    for (auto _ : state) benchmark::DoNotOptimize(doc.load_buffer(d->utf8.data(), d->utf8.size(), pugi::parse_default));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * d->utf8.size()));
}

void FileToDocumentRapid(benchmark::State& state, const BenchDocument* d) {
    rapidxml::xml_document<char> doc;
    std::vector<char> buffer;
    for (auto _ : state) {
        buffer.assign(d->utf8.begin(), d->utf8.end());
        buffer.push_back('\0');
        doc.clear();
        try {
            doc.parse<rapidxml::parse_non_destructive>(buffer.data());
        } catch (const rapidxml::parse_error&) {
            state.SkipWithError("the document does not parse");
        }
        benchmark::DoNotOptimize(doc.first_node());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * d->utf8.size()));
}

// The decoding alone, in bytes of the file a second.
void DecodeFileText(benchmark::State& state, const BenchDocument* d) {
    for (auto _ : state) benchmark::DoNotOptimize(tlxml::DecodeFileText(d->utf8));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * d->utf8.size()));
}

// --- Memory per element ------------------------------------------------------------------------------

size_t g_allocated = 0;

void* CountingAllocate(size_t size) {
    g_allocated += size;
    return std::malloc(size);
}

void PrintMemoryPerElement(const std::vector<BenchDocument>& documents) {
    pugi::set_memory_management_functions(CountingAllocate, std::free);
    rapidxml::memory_pool<char>::alloc_func* rapid_allocate = [](std::size_t size) { return CountingAllocate(size); };
    std::printf(
        "\nMemory per element in bytes (tonehall: the index, the text is shared with the caller;\n"
        "pugixml: everything it allocates, its copy of the text included; rapidxml: its pools)\n");
    std::printf("%-14s %10s %10s %10s %10s\n", "document", "elements", "tonehall", "pugixml", "rapidxml");
    for (const BenchDocument& d : documents) {
        Tonehall ours;
        ours.Parse(d);
        const double elements = static_cast<double>(ours.Elements());
        g_allocated = 0;
        {
            Pugi pugi;
            pugi.Parse(d);
        }
        const double pugi_bytes = static_cast<double>(g_allocated);
        g_allocated = sizeof(rapidxml::xml_document<char>);
        {
            auto rapid = std::make_unique<Rapid>();
            rapid->doc.set_allocator(rapid_allocate, std::free);
            rapid->Parse(d);
        }
        const double rapid_bytes = static_cast<double>(g_allocated);
        std::printf("%-14s %10.0f %10.1f %10.1f %10.1f\n", d.name.c_str(), elements,
                    static_cast<double>(ours.doc.GetIndexMemory()) / elements, pugi_bytes / elements,
                    rapid_bytes / elements);
    }
}

template <class Function>
void Register(const std::string& name, Function function, const BenchDocument* d) {
    benchmark::RegisterBenchmark(name.c_str(), function, d)->Unit(benchmark::kMillisecond);
}

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    // What Google Benchmark did not take are files to add to the documents; an option it did not
    // know is named rather than read as a file.
    std::vector<std::string> files;
    for (int i = 1; i < argc; ++i) {
        if (std::string_view(argv[i]).starts_with("--")) {
            std::fprintf(stderr, "unknown option: %s\n", argv[i]);
            return 2;
        }
        files.emplace_back(argv[i]);
    }
    static const std::vector<BenchDocument> documents = tlbench::LoadBenchDocuments(files);
    for (const BenchDocument& d : documents) {
        Register("parse-warm/" + d.name + "/tonehall", ParseWarm<Tonehall>, &d);
        Register("parse-warm/" + d.name + "/pugixml", ParseWarm<Pugi>, &d);
        Register("parse-warm/" + d.name + "/rapidxml", ParseWarm<Rapid>, &d);
    }
    for (const BenchDocument& d : documents) {
        Register("file-to-document/" + d.name + "/tonehall", FileToDocumentTonehall, &d);
        Register("file-to-document/" + d.name + "/pugixml", FileToDocumentPugi, &d);
        Register("file-to-document/" + d.name + "/rapidxml", FileToDocumentRapid, &d);
    }
    for (const BenchDocument& d : documents) Register("decode/" + d.name, DecodeFileText, &d);
    using Function = void (*)(benchmark::State&, const BenchDocument*);
    const std::pair<const char*, Function> cold[] = {
        {"tonehall", ParseCold<Tonehall>}, {"pugixml", ParseCold<Pugi>}, {"rapidxml", ParseCold<Rapid>}};
    for (const BenchDocument& d : documents) {
        for (const auto& [parser, function] : cold)
            benchmark::RegisterBenchmark(("parse-cold/" + d.name + "/" + parser).c_str(), function, &d)
                ->Unit(benchmark::kMillisecond)
                ->Iterations(20);
    }
    const BenchDocument* packages = &documents.back();
    benchmark::RegisterBenchmark("search-path/packages/tonehall", SearchPathTonehall, packages);
    benchmark::RegisterBenchmark("search-path/packages/pugixml", SearchPathPugi, packages);
    benchmark::RegisterBenchmark("search-path/packages/rapidxml", SearchPathRapid, packages);
    Register("search-late/packages/tonehall", SearchLateTonehall, packages);
    Register("search-late/packages/pugixml", SearchLatePugi, packages);
    Register("search-late/packages/rapidxml", SearchLateRapid, packages);
    Register("end-to-end/packages/tonehall", EndToEndTonehall, packages);
    Register("end-to-end/packages/pugixml", EndToEndPugi, packages);
    Register("read-all/packages/tonehall", ReadAllTonehall, packages);
    Register("read-all/packages/pugixml", ReadAllPugi, packages);

    tlbench::RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::set<std::string> real_files;
    for (const BenchDocument& d : documents)
        if (d.real_file) real_files.insert(d.name);
    reporter.PrintRatios(real_files);
    PrintMemoryPerElement(documents);
    benchmark::Shutdown();
    return 0;
}
