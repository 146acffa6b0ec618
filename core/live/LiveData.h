#pragma once

#include <QByteArray>
#include <QList>
#include <QStringList>

struct GalaState;
struct LiveSnapshot;

// What the live page shows, worked out once in C++: the data file the page's
// script reads, and the same results as plain HTML for a browser without
// JavaScript. Both come from one ordering, so the two views agree.
namespace LiveData {

// The team indexes as the standings list them: scoring teams by total,
// highest first (equal totals in team order), then the teams that swim for
// no points, in team order.
QList<int> Standings(const GalaState &gala);

// A team's points over every event, summed afresh in event order.
float TeamPoints(const GalaState &gala, int t);

// The team indexes of event e in place order: placed swims by place, then
// swims with a time but no place (faster than the grade time, guests),
// then disqualified swims, then lanes without a time; ties in team order.
QList<int> PlaceOrder(const GalaState &gala, int e);

// True when any lane of event e has a time (or a disqualification).
bool HasResults(const GalaState &gala, int e);

// The data file (JSON, UTF-8). `teamPages` holds each team entry's page
// name (index t - 1), as the team pages are written.
QByteArray Json(const LiveSnapshot &snapshot, const QStringList &teamPages);

// index.html: the results as of this publish, readable without JavaScript;
// the script then keeps it up to date from the data file.
QStringList IndexPage(const LiveSnapshot &snapshot, const QStringList &teamPages);

} // namespace LiveData
