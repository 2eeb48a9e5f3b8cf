// The play of a puzzle's web page. Everything it needs is in the page itself:
// the cells (data-x, data-y, the letter as text), the list entries (data-word,
// and data-answer "x y dx dy length" where the page may show answers) and the
// puzzle's id (data-puzzle on #wq), under which the progress is kept in the
// browser's local storage. Comments stand on lines of their own: the writer
// drops them, with the indentation, when it puts the script in a page.
(function () {
    "use strict";
    var root = document.getElementById("wq");
    if (!root || !root.querySelectorAll || !document.createElementNS) {
        return;
    }
    var cols = Number(root.getAttribute("data-columns"));
    var rows = Number(root.getAttribute("data-rows"));
    var grid = document.getElementById("wq-grid");
    var rings = document.getElementById("wq-rings");
    var clock = document.getElementById("wq-clock");
    var count = document.getElementById("wq-count");
    var finish = document.getElementById("wq-finish");
    var say = document.getElementById("wq-say");
    var restart = document.getElementById("wq-restart");
    var confirmBox = document.getElementById("wq-confirm");
    var confirmYes = document.getElementById("wq-confirm-yes");
    var confirmNo = document.getElementById("wq-confirm-no");
    var answersButton = document.getElementById("wq-answers");
    var svgSpace = rings.namespaceURI;
    var key = "wordquarrin:" + root.getAttribute("data-puzzle");

    // --- The cells, by position (1-based, as the editor counts) ---
    // The table becomes an ARIA grid now that the keys below work on it.
    grid.setAttribute("role", "grid");
    grid.setAttribute("aria-readonly", "true");
    var trs = grid.getElementsByTagName("tr");
    for (var r = 0; r < trs.length; r++) {
        trs[r].setAttribute("role", "row");
    }
    var cells = [];
    var tds = grid.getElementsByTagName("td");
    for (var i = 0; i < tds.length; i++) {
        var x = Number(tds[i].getAttribute("data-x"));
        var y = Number(tds[i].getAttribute("data-y"));
        cells[(y - 1) * cols + (x - 1)] = tds[i];
        tds[i].setAttribute("role", "gridcell");
        tds[i].tabIndex = -1;
    }
    function at(x, y) {
        var inside = x === Math.floor(x) && y === Math.floor(y) && x >= 1 && y >= 1 && x <= cols && y <= rows;
        return inside ? {x: x, y: y} : null;
    }
    function cellOf(c) {
        return cells[(c.y - 1) * cols + (c.x - 1)];
    }
    function letterOf(c) {
        return cellOf(c).textContent;
    }
    function same(a, b) {
        return a.x === b.x && a.y === b.y;
    }
    function sign(n) {
        return n > 0 ? 1 : (n < 0 ? -1 : 0);
    }
    // The cells from a to b along one of the eight directions, or null.
    function line(a, b) {
        var dx = b.x - a.x;
        var dy = b.y - a.y;
        if (dx !== 0 && dy !== 0 && Math.abs(dx) !== Math.abs(dy)) {
            return null;
        }
        var n = Math.max(Math.abs(dx), Math.abs(dy)) + 1;
        var out = [];
        for (var k = 0; k < n; k++) {
            out.push({x: a.x + k * sign(dx), y: a.y + k * sign(dy)});
        }
        return out;
    }
    // Letters compared as the puzzle's language upper-cases them: in
    // Turkish and Azerbaijani i is İ (a plain toUpperCase makes it I), and
    // a letter typed as a base letter and a mark is the one letter it makes.
    var dottedI = /^(tr|az)(-|$)/i.test(document.documentElement.lang || "");
    function upper(text) {
        var t = text.normalize ? text.normalize("NFC") : text;
        return (dottedI ? t.replace(/i/g, "\u0130") : t).toUpperCase();
    }
    function spelled(path) {
        return upper(path.map(letterOf).join(""));
    }
    function where(c) {
        return "column " + c.x + ", row " + c.y;
    }

    // --- The listed words ---
    var entries = [];
    var items = root.querySelectorAll("[data-word]");
    for (var j = 0; j < items.length; j++) {
        var answer = (items[j].getAttribute("data-answer") || "").split(" ").map(Number);
        entries.push({
            el: items[j],
            word: items[j].getAttribute("data-word"),
            key: upper(items[j].getAttribute("data-word")),
            answer: answer.length === 5 ? answer : null,
            ring: null
        });
    }
    function answerEnds(e) {
        var a = e.answer;
        return {a: {x: a[0], y: a[1]}, b: {x: a[0] + (a[4] - 1) * a[2], y: a[1] + (a[4] - 1) * a[3]}};
    }
    function sameEnds(r, a, b) {
        return (same(r.a, a) && same(r.b, b)) || (same(r.a, b) && same(r.b, a));
    }
    function drawnAt(e, a, b) {
        return e.answer && sameEnds(answerEnds(e), a, b);
    }
    // Whether a found word's ring already runs from a to b.
    function ringedAt(a, b) {
        return entries.some(function (e) {
            return e.ring && sameEnds(e.ring, a, b);
        });
    }
    // What a mark from a to b finds: `fresh`, an entry not found yet whose
    // word reads there either way (the one drawn there first), unless a ring
    // runs there already; `again`, a found entry of that word.
    function match(a, b) {
        var path = line(a, b);
        var fresh = null;
        var again = null;
        if (!path) {
            return {fresh: null, again: null};
        }
        var forward = spelled(path);
        var backward = spelled(path.reverse());
        entries.forEach(function (e) {
            if (e.key !== forward && e.key !== backward) {
                return;
            }
            if (e.ring) {
                again = again || e;
            } else if (!fresh || (drawnAt(e, a, b) && !drawnAt(fresh, a, b))) {
                fresh = e;
            }
        });
        return {fresh: ringedAt(a, b) ? null : fresh, again: again};
    }

    // --- Rings ---
    function svg(name, attrs, parent) {
        var el = document.createElementNS(svgSpace, name);
        for (var a in attrs) {
            el.setAttribute(a, attrs[a]);
        }
        parent.appendChild(el);
        return el;
    }
    function stroke(a, b, cls, parent) {
        return svg("line", {x1: a.x - 0.5, y1: a.y - 0.5, x2: b.x - 0.5, y2: b.y - 0.5, "class": cls}, parent);
    }
    rings.setAttribute("viewBox", "0 0 " + cols + " " + rows);
    var shownLayer = svg("g", {}, rings);
    var foundLayer = svg("g", {}, rings);
    function drawRing(e) {
        var g = svg("g", {"class": "c" + (entries.indexOf(e) % 6)}, foundLayer);
        stroke(e.ring.a, e.ring.b, "edge", g);
        stroke(e.ring.a, e.ring.b, "fill", g);
        e.g = g;
    }

    // --- The clock: it runs from the first mark to the last find ---
    var elapsed = 0;
    var since = null;
    var ticker = null;
    var done = false;
    var lastSave = -1;
    function total() {
        return elapsed + (since === null ? 0 : Math.max(0, Date.now() - since));
    }
    function timeText(ms) {
        var s = Math.floor(ms / 1000);
        return Math.floor(s / 60) + ":" + (s % 60 < 10 ? "0" : "") + (s % 60);
    }
    function showTime() {
        var ms = total();
        clock.textContent = timeText(ms);
        if (since !== null && Math.floor(ms / 5000) !== lastSave) {
            lastSave = Math.floor(ms / 5000);
            save();
        }
    }
    function startClock() {
        if (since !== null || done) {
            return;
        }
        since = Date.now();
        ticker = setInterval(showTime, 250);
        showTime();
    }
    function stopClock() {
        elapsed = total();
        since = null;
        clearInterval(ticker);
        showTime();
    }

    // --- Progress in local storage (none where the browser keeps none) ---
    var store = null;
    try {
        store = window.localStorage;
        store.getItem(key);
    } catch (err) {
        store = null;
    }
    function save() {
        if (!store) {
            return;
        }
        var finds = [];
        entries.forEach(function (e, k) {
            if (e.ring) {
                finds.push([k, e.ring.a.x, e.ring.a.y, e.ring.b.x, e.ring.b.y]);
            }
        });
        try {
            if (!finds.length && total() === 0) {
                store.removeItem(key);
            } else {
                store.setItem(key, JSON.stringify({v: 1, f: finds, t: Math.round(total()), d: done}));
            }
        } catch (err) {
            store = null;
        }
    }
    function foundCount() {
        return entries.filter(function (e) {
            return e.ring;
        }).length;
    }
    function showCount() {
        count.textContent = foundCount() + " of " + entries.length + " found";
    }
    function announce(text) {
        // The same words twice still reach a screen reader.
        say.textContent = say.textContent === text ? text + "\u00a0" : text;
    }
    function setFound(e, a, b) {
        e.ring = {a: a, b: b};
        e.el.setAttribute("aria-checked", "true");
        drawRing(e);
    }
    function finishIfDone() {
        if (done || foundCount() < entries.length || !entries.length) {
            return false;
        }
        stopClock();
        done = true;
        finish.textContent = "You finished!! Time: " + timeText(total());
        return true;
    }
    function load() {
        var data = null;
        try {
            data = store && JSON.parse(store.getItem(key));
        } catch (err) {
            data = null;
        }
        if (!data || data.v !== 1 || !(data.f instanceof Array)) {
            return;
        }
        data.f.forEach(function (f) {
            var e = f instanceof Array && typeof f[0] === "number" ? entries[f[0]] : null;
            var a = e && at(f[1], f[2]);
            var b = e && at(f[3], f[4]);
            // A find is kept only where its word still reads.
            var path = a && b && line(a, b);
            if (path && !e.ring && !ringedAt(a, b) &&
                (spelled(path) === e.key || spelled(path.reverse()) === e.key)) {
                setFound(e, a, b);
            }
        });
        elapsed = typeof data.t === "number" && data.t > 0 && isFinite(data.t) ? data.t : 0;
        showTime();
        finishIfDone();
    }

    // --- Marking: a drag, two clicks or taps, or the keyboard ---
    var cursor = {x: 1, y: 1};
    var pending = null;
    var aim = null;
    var drag = null;
    var painted = [];
    function paint() {
        painted.forEach(function (td) {
            td.className = "";
            td.removeAttribute("aria-selected");
        });
        painted = [];
        var start = drag ? drag.start : pending;
        if (!start) {
            return;
        }
        var end = drag ? drag.end : aim;
        var path = (end && line(start, end)) || [start];
        path.forEach(function (c) {
            var td = cellOf(c);
            td.className = same(c, start) ? "start" : "sel";
            painted.push(td);
        });
        cellOf(start).setAttribute("aria-selected", "true");
    }
    // Moves the cursor, and the focus with it when asked: "pointer" keeps
    // the page still (a drag must not scroll), "key" brings the cell into view.
    function moveCursor(c, focus) {
        cellOf(cursor).tabIndex = -1;
        cursor = c;
        var td = cellOf(c);
        td.tabIndex = 0;
        if (focus) {
            td.focus({preventScroll: focus === "pointer"});
        }
    }
    function afterFind(e) {
        showCount();
        var finished = finishIfDone();
        save();
        announce("Found " + e.word + ". " + foundCount() + " of " + entries.length + " found." +
                 (finished ? " " + finish.textContent : ""));
    }
    // Tries the mark from a to b; says what came of it unless told to keep quiet on a miss.
    function attempt(a, b, quietMiss) {
        var m = match(a, b);
        if (m.fresh) {
            setFound(m.fresh, a, b);
            afterFind(m.fresh);
            return true;
        }
        if (!quietMiss) {
            announce(m.again ? m.again.word + " is found already." :
                     "No listed word from " + where(a) + " to " + where(b) + ".");
        }
        return false;
    }
    // One end marked by a click, a tap, Space or Enter.
    function mark(c) {
        if (done) {
            return;
        }
        startClock();
        var a = pending;
        pending = null;
        aim = null;
        if (!a) {
            pending = c;
            announce("First letter " + letterOf(c) + " marked at " + where(c) + ". Now mark the last letter.");
        } else if (same(a, c)) {
            if (!attempt(a, c, true)) {
                announce("Mark cleared.");
            }
        } else if (!line(a, c)) {
            pending = c;
            announce("Not in a straight line. First letter " + letterOf(c) + " marked at " + where(c) + " instead.");
        } else {
            attempt(a, c, false);
        }
        paint();
    }
    function cellAtPoint(px, py) {
        var r = grid.getBoundingClientRect();
        return at(Math.floor((px - r.left) / (r.width / cols)) + 1,
                  Math.floor((py - r.top) / (r.height / rows)) + 1);
    }
    // The end of a drag: the cell nearest the pointer along the one of the
    // eight directions closest to it, inside the grid.
    function snap(start, px, py) {
        var r = grid.getBoundingClientRect();
        var vx = (px - r.left) / (r.width / cols) - (start.x - 0.5);
        var vy = (py - r.top) / (r.height / rows) - (start.y - 0.5);
        if (vx * vx + vy * vy < 0.25) {
            return start;
        }
        var turn = Math.round(Math.atan2(vy, vx) / (Math.PI / 4)) * Math.PI / 4;
        var dx = Math.round(Math.cos(turn));
        var dy = Math.round(Math.sin(turn));
        var n = Math.max(0, Math.round((vx * dx + vy * dy) / (dx * dx + dy * dy)));
        while (n > 0 && !at(start.x + n * dx, start.y + n * dy)) {
            n--;
        }
        return at(start.x + n * dx, start.y + n * dy);
    }
    grid.addEventListener("pointerdown", function (ev) {
        if (done || drag || (ev.pointerType === "mouse" && ev.button !== 0)) {
            return;
        }
        var c = cellAtPoint(ev.clientX, ev.clientY);
        if (!c) {
            return;
        }
        ev.preventDefault();
        // The cursor follows the pointer, but its ring is for keyboard use.
        grid.classList.add("pointer");
        startClock();
        moveCursor(c, "pointer");
        drag = {start: c, end: c, id: ev.pointerId};
        try {
            grid.setPointerCapture(ev.pointerId);
        } catch (err) {
            // The drag still works without capture while the pointer stays on the grid.
        }
        paint();
    });
    grid.addEventListener("pointermove", function (ev) {
        if (drag && ev.pointerId === drag.id) {
            var end = snap(drag.start, ev.clientX, ev.clientY);
            if (!same(end, drag.end)) {
                drag.end = end;
                paint();
            }
        } else if (!drag && pending && ev.pointerType === "mouse") {
            var hover = cellAtPoint(ev.clientX, ev.clientY);
            if (hover && !(aim && same(aim, hover))) {
                aim = hover;
                paint();
            }
        }
    });
    function endDrag(ev, cancelled) {
        if (!drag || ev.pointerId !== drag.id) {
            return;
        }
        var d = drag;
        drag = null;
        if (!cancelled) {
            d.end = snap(d.start, ev.clientX, ev.clientY);
            if (same(d.start, d.end)) {
                mark(d.start);
            } else {
                pending = null;
                aim = null;
                attempt(d.start, d.end, false);
            }
        }
        paint();
    }
    grid.addEventListener("pointerup", function (ev) {
        endDrag(ev, false);
    });
    grid.addEventListener("pointercancel", function (ev) {
        endDrag(ev, true);
    });
    grid.addEventListener("contextmenu", function (ev) {
        ev.preventDefault();
    });
    grid.addEventListener("keydown", function (ev) {
        var k = ev.key;
        grid.classList.remove("pointer");
        var c = cursor;
        var next = null;
        if (k === "ArrowLeft" || k === "Left") {
            next = at(c.x - 1, c.y);
        } else if (k === "ArrowRight" || k === "Right") {
            next = at(c.x + 1, c.y);
        } else if (k === "ArrowUp" || k === "Up") {
            next = at(c.x, c.y - 1);
        } else if (k === "ArrowDown" || k === "Down") {
            next = at(c.x, c.y + 1);
        } else if (k === "Home") {
            next = ev.ctrlKey ? at(1, 1) : at(1, c.y);
        } else if (k === "End") {
            next = ev.ctrlKey ? at(cols, rows) : at(cols, c.y);
        } else if (k === "PageUp") {
            next = at(c.x, Math.max(1, c.y - 5));
        } else if (k === "PageDown") {
            next = at(c.x, Math.min(rows, c.y + 5));
        } else if (k === " " || k === "Spacebar" || k === "Enter") {
            ev.preventDefault();
            mark(c);
            return;
        } else if (k === "Escape" && pending) {
            pending = null;
            aim = null;
            paint();
            announce("Mark cleared.");
            return;
        } else {
            return;
        }
        ev.preventDefault();
        if (next) {
            moveCursor(next, "key");
            aim = pending ? next : null;
            paint();
        }
    });

    // --- Start again, and the answers ---
    function reset() {
        entries.forEach(function (e) {
            if (e.g) {
                foundLayer.removeChild(e.g);
            }
            e.ring = null;
            e.g = null;
            e.el.setAttribute("aria-checked", "false");
        });
        clearInterval(ticker);
        since = null;
        elapsed = 0;
        done = false;
        pending = null;
        aim = null;
        lastSave = -1;
        finish.textContent = "";
        showTime();
        showCount();
        paint();
        save();
        if (answersButton) {
            showAnswers(false);
        }
        announce("Started again. The clock starts at your first mark.");
    }
    restart.addEventListener("click", function () {
        if (!foundCount() && total() === 0) {
            reset();
            return;
        }
        confirmBox.hidden = false;
        confirmYes.focus();
    });
    confirmYes.addEventListener("click", function () {
        confirmBox.hidden = true;
        reset();
        moveCursor(cursor, "key");
    });
    confirmNo.addEventListener("click", function () {
        confirmBox.hidden = true;
        restart.focus();
    });
    confirmBox.addEventListener("keydown", function (ev) {
        if (ev.key === "Escape" || ev.key === "Esc") {
            confirmNo.click();
        }
    });
    function showAnswers(on) {
        answersButton.setAttribute("aria-pressed", on ? "true" : "false");
        root.className = on ? "answers-shown" : "";
        while (shownLayer.firstChild) {
            shownLayer.removeChild(shownLayer.firstChild);
        }
        entries.forEach(function (e) {
            if (on && e.answer) {
                var ends = answerEnds(e);
                stroke(ends.a, ends.b, "shown", shownLayer);
            }
        });
    }
    if (answersButton) {
        answersButton.addEventListener("click", function () {
            var on = answersButton.getAttribute("aria-pressed") !== "true";
            showAnswers(on);
            announce(on ? "Answers shown." : "Answers hidden.");
        });
    }
    function keep() {
        if (since !== null) {
            save();
        }
    }
    window.addEventListener("pagehide", keep);
    // Progress stored by another page of this puzzle: another tab, or the
    // page this one replaced when the browser hands its last writes over
    // after this page has read the storage. Taken while this page has not
    // started its own clock.
    window.addEventListener("storage", function (ev) {
        if (ev.key === key && ev.newValue && since === null && !done) {
            load();
            showCount();
        }
    });
    document.addEventListener("visibilitychange", keep);

    load();
    showCount();
    moveCursor(cursor, false);
    document.getElementById("wq-bar").hidden = false;
    root.setAttribute("data-ready", "true");
    if (window.performance && performance.mark) {
        performance.mark("wq-playable");
    }
})();
