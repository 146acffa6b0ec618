// The live results page: reads results.json every 2 seconds with a
// conditional request and redraws the totals and events in place. Every
// name from the gala goes in as text, never as markup.
"use strict";

(function () {
  const dataFile = "results.json";
  const everyMs = 2000;
  let etag = null;

  function el(tag, text, className) {
    const node = document.createElement(tag);
    if (text !== undefined && text !== null) node.textContent = String(text);
    if (className) node.className = className;
    return node;
  }

  function cell(row, text, className) {
    const td = el("td", text, className);
    row.appendChild(td);
    return td;
  }

  function pointsText(points) {
    return points ? String(points) : "";
  }

  function totals(data) {
    const section = el("section");
    section.id = "totals";
    section.appendChild(el("h2", "Team totals"));
    const table = el("table");
    for (const t of data.standings) {
      const team = data.teams[t - 1];
      const row = el("tr");
      const name = cell(row, null);
      if (team.page) {
        const a = el("a", team.name);
        a.href = "teams/" + encodeURIComponent(team.page);
        name.appendChild(a);
      } else {
        name.textContent = team.name;
      }
      cell(row, team.scoring ? String(team.points) : "guest", "pts");
      table.appendChild(row);
    }
    section.appendChild(table);
    return section;
  }

  function events(data) {
    const section = el("section");
    section.id = "events";
    for (const event of data.events) {
      const article = el("article", null, "event");
      if (event.number === data.lastEvent) article.classList.add("latest");
      article.appendChild(el("h2", event.title));
      const table = el("table");
      for (const lane of event.lanes) {
        const team = data.teams[lane.team - 1];
        const row = el("tr");
        cell(row, lane.placeText, "place");
        const who = cell(row, team.name);
        who.appendChild(el("br"));
        const swimmer = el("small", lane.swimmer);
        if (lane.disqualified && lane.reason) {
          swimmer.appendChild(el("br"));
          swimmer.appendChild(el("small", lane.reason));
        }
        who.appendChild(swimmer);
        cell(row, lane.time, "time");
        cell(row, pointsText(lane.points), "pts");
        table.appendChild(row);
      }
      article.appendChild(table);
      section.appendChild(article);
    }
    return section;
  }

  function savedText(data) {
    const at = data.savedAt ? data.savedAt.substring(11, 19) : "";
    return "Results as saved at " + at + " UTC";
  }

  // Keeps what the reader looks at in place when events are added above it.
  function keepingScroll(change) {
    const before = document.documentElement.scrollHeight;
    const y = window.scrollY;
    change();
    if (y > 0) window.scrollTo(0, y + document.documentElement.scrollHeight - before);
  }

  function show(data) {
    keepingScroll(function () {
      document.title = data.title;
      document.getElementById("title").textContent = data.title;
      document.getElementById("saved").textContent = savedText(data);
      document.getElementById("totals").replaceWith(totals(data));
      document.getElementById("events").replaceWith(events(data));
    });
    document.body.classList.remove("stale");
  }

  async function poll() {
    try {
      const headers = etag ? { "If-None-Match": etag } : {};
      const reply = await fetch(dataFile, { cache: "no-store", headers: headers });
      if (reply.status === 200) {
        const data = await reply.json();
        etag = reply.headers.get("ETag");
        show(data);
      } else if (reply.status !== 304) {
        document.body.classList.add("stale");
      }
    } catch (e) {
      // Out of reach for a moment (a phone between networks): try again.
      document.body.classList.add("stale");
    }
    window.setTimeout(poll, everyMs);
  }

  poll();
})();
