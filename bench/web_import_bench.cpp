// The web page import on a large page: 10,050 links in the navigation
// (a mega menu of 50 sections, 10 groups each, 20 links a group) and
// ordinary article content after it, about 5 MB in all (aim: 400 ms).
// Reading the page (decode, parse, every list scored, items) and making
// the design are timed together; beside it, the navigation placed last,
// a 20 MB page (aim: 1 s), 20 MB pages of many small lists and of links
// deep inside other elements, and pages nested far too deeply, which are
// refused before they are parsed (aim: 0.2 s whatever the depth).

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

void Import(benchmark::State& state, const std::string& page) {
  for (auto _ : state) {
    const WebPage parsed(page, "big.html");
    TvornAppletAgent doc;
    ItemTree tree;
    ImportWebMenu(parsed.ChosenList(), parsed.SourceName(), doc, tree);
    if (doc.ItemCount() < 50 + 50 * 10 + 10000) state.SkipWithError("unexpected item count");
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(page.size()));
  state.counters["page_MB"] = static_cast<double>(page.size()) / (1024 * 1024);
}

void ImportLargePage(benchmark::State& state) {
  Import(state, LargePage());
}

// The same navigation at the end of the page.
void ImportLargePageNavigationLast(benchmark::State& state) {
  std::string page = LargePage();
  const size_t start = page.find("<header>"), end = page.find("</header>") + 9;
  const std::string header = page.substr(start, end - start);
  page.erase(start, end - start);
  page.insert(page.rfind("</body>"), header);
  Import(state, page);
}

// Five times the articles: a 21 MB page.
void ImportPageOf20MB(benchmark::State& state) {
  std::string page = LargePage();
  const size_t main = page.find("<main>") + 6, end = page.rfind("</main>");
  const std::string articles = page.substr(main, end - main);
  for (int k = 0; k < 4; ++k) page.insert(end, articles);
  Import(state, page);
}

// About 20 MB of markup made of `unit` after a page start: read whole,
// every list offered.
void ReadRepeated(benchmark::State& state, const std::string& start, const std::string& unit) {
  std::string page = "<!DOCTYPE html><html><body>" + start;
  while (page.size() < 20 * 1024 * 1024) page += unit;
  for (auto _ : state) {
    const WebPage parsed(page, "many.html");
    benchmark::DoNotOptimize(parsed.Lists().size());
  }
  state.counters["page_MB"] = static_cast<double>(page.size()) / (1024 * 1024);
}

// 367,000 small lists: each joins its group by key, not by a search.
void ReadPageOfManyLists(benchmark::State& state) {
  ReadRepeated(state, "", "<ul><li><a href=x>x</a></li><li><a href=y>y</a></li></ul>\n");
}

// Links inside 400 open elements: the nesting scan looks for an open link
// by count, not down the whole stack.
void ReadLinksNestedDeep(benchmark::State& state) {
  std::string start;
  for (int k = 0; k < 400; ++k) start += "<div>";
  ReadRepeated(state, start + "<ul>", "<li><a href=x>x</a>\n");
}

// Lists nested `state.range(0)` levels deep: refused, never parsed.
void RefuseDeeplyNestedPage(benchmark::State& state) {
  std::string page = "<nav>";
  for (int64_t level = 0; level < state.range(0); ++level) page += "<ul><li><a href=x>x</a>";
  for (auto _ : state) {
    try {
      const WebPage parsed(page, "deep.html");
      state.SkipWithError("not refused");
    } catch (const ImportError&) {
    }
  }
  state.counters["page_MB"] = static_cast<double>(page.size()) / (1024 * 1024);
}

BENCHMARK(ImportLargePage)->Unit(benchmark::kMillisecond);
BENCHMARK(ImportLargePageNavigationLast)->Unit(benchmark::kMillisecond);
BENCHMARK(ImportPageOf20MB)->Unit(benchmark::kMillisecond);
BENCHMARK(ReadPageOfManyLists)->Unit(benchmark::kMillisecond);
BENCHMARK(ReadLinksNestedDeep)->Unit(benchmark::kMillisecond);
BENCHMARK(RefuseDeeplyNestedPage)->Arg(10000)->Arg(50000)->Arg(1000000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace velmora::bench

BENCHMARK_MAIN();
