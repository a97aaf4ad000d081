// The web page import on a large page: 10,050 links in the navigation
// (a mega menu of 50 sections, 10 groups each, 20 links a group) and
// ordinary article content after it, about 5 MB in all. Reading the page
// (parse, lists, items) and making the design are timed together; beside
// it, reading every list of the page and the navigation placed last.

#include <benchmark/benchmark.h>

#include <string>

#include "importers/web_menu_import.h"
#include "importers/web_page.h"

namespace velmora::bench {
namespace {

std::string LargePage() {
  std::string page =
      "<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>Big shop</title></head><body>";
  page += "<header><nav class=\"mega\" aria-label=\"Main\"><ul class=\"mega-menu\">";
  int link = 0;
  for (int section = 0; section < 50; ++section) {
    page += "<li class=\"mega-item\"><a href=\"/s" + std::to_string(section) + "/\">Section " +
            std::to_string(section) + "</a><div class=\"panel\">";
    for (int group = 0; group < 10; ++group) {
      page += "<div class=\"col\"><h3>Group " + std::to_string(group) + "</h3><ul>";
      for (int k = 0; k < 20; ++k, ++link) {
        page += "<li class=\"menu-item\"><a href=\"/p/" + std::to_string(link) + ".html\" title=\"Product " +
                std::to_string(link) + "\">Product &amp; item " + std::to_string(link) + "</a></li>";
      }
      page += "</ul></div>";
    }
    page += "</div></li>";
  }
  page += "</ul></nav></header><main>";
  const std::string paragraph =
      "<p class=\"lead\">Our workshop has been <em>building</em> and repairing things since 1987; "
      "every <a href=\"/story\">story</a> starts with a customer &amp; a problem. Lorem ipsum dolor sit "
      "amet, consectetur adipiscing elit, sed do eiusmod tempor incididunt ut labore et dolore.</p>\n";
  for (int article = 0; page.size() < 5 * 1024 * 1024; ++article) {
    page +=
        "<article id=\"a" + std::to_string(article) + "\"><h2>Article " + std::to_string(article) + "</h2>";
    for (int k = 0; k < 8; ++k) page += paragraph;
    page += "<table><tr><td>1</td><td>2</td></tr></table></article>\n";
  }
  return page + "</main></body></html>";
}

void ImportLargePage(benchmark::State& state) {
  const std::string page = LargePage();
  for (auto _ : state) {
    const WebPage parsed(page, "big.html", WebPageScope::FirstNavigationList);
    TvornAppletAgent doc;
    ItemTree tree;
    ImportWebMenu(parsed.ChosenList(), parsed.SourceName(), doc, tree);
    if (doc.ItemCount() != 50 + 50 * 10 + 10000) state.SkipWithError("unexpected item count");
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(page.size()));
  state.counters["page_MB"] = static_cast<double>(page.size()) / (1024 * 1024);
}

// Every list of the page, as the designer reads it to offer a choice.
void ReadAllListsOfLargePage(benchmark::State& state) {
  const std::string page = LargePage();
  for (auto _ : state) benchmark::DoNotOptimize(WebPage(page, "big.html").Lists().size());
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(page.size()));
}

// The same navigation at the end of the page: all of it is read.
void ImportLargePageNavigationLast(benchmark::State& state) {
  std::string page = LargePage();
  const size_t start = page.find("<header>"), end = page.find("</header>") + 9;
  const std::string header = page.substr(start, end - start);
  page.erase(start, end - start);
  page.insert(page.rfind("</body>"), header);
  for (auto _ : state) {
    const WebPage parsed(page, "big.html", WebPageScope::FirstNavigationList);
    TvornAppletAgent doc;
    ItemTree tree;
    ImportWebMenu(parsed.ChosenList(), parsed.SourceName(), doc, tree);
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(page.size()));
}

BENCHMARK(ImportLargePage)->Unit(benchmark::kMillisecond);
BENCHMARK(ReadAllListsOfLargePage)->Unit(benchmark::kMillisecond);
BENCHMARK(ImportLargePageNavigationLast)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace velmora::bench

BENCHMARK_MAIN();
