// Practises the test embedded in this page by the rules of the program's
// test run. Statuses, miss counts and the missed-first choice are kept in the
// browser under the test's content hash; the counters, like the program's,
// count from the moment the page opens.
'use strict';
(function () {
  const RANDOM_MAX = 32767;
  const FIRST_LIST_PIECE = 200;
  const LIST_PIECE = 1000;
  const MESSAGES = {
    noQuestion: 'No question available !',
    noDisplay: 'There is no question displayed !',
    allAnswered: 'All questions are answered ...',
    right: 'Right answer, counted as correct.',
    rightNotCounted: 'Right answer, not counted: a wrong one was chosen first.',
    wrong: 'Wrong answer.',
  };
  const data = JSON.parse(document.getElementById('data').textContent);
  // [keyword, question, right answer, [wrong answers], [files], misses]
  const questions = data.questions;
  const files = data.files;
  const count = questions.length;
  const $ = (id) => document.getElementById(id);
  const buttons = { ask: $('ask'), show: $('show'), mark: $('mark'), reset: $('reset'), resetAll: $('reset-all') };
  const listItems = new Array(count);

  const testMisses = questions.map((q) => missCount(q[5]));
  const { status, misses, missedFirst } = loadProgress();
  const run = {
    asked: 0,
    correct: 0,
    remaining: status.reduce((left, s) => left + (s === 0 ? 1 : 0), 0),
    current: -1,       // may still be shown and marked; the random walk starts here
    lastAsked: -1,
    selected: -1,      // the question chosen in the list
    heldAnswer: null,  // from the display until Show answer
    wrongChoice: false,
    answerFiles: [-1, -1],
    missedFirst,
    // The asking of a question runs from the Ask that displayed it to the
    // next Ask, or until the page is left. It is a miss when the question is
    // still not answered and a wrong answer was clicked or the answer shown.
    asking: -1,
    revealed: false,
  };

  // A whole number from 0 to the most a question counts, else 0.
  function missCount(value) {
    return Number.isInteger(value) && value > 0 ? Math.min(value, data.maxMisses) : 0;
  }

  // Stored as {"status": "0110", "misses": [...], "missedFirst": true}, or
  // as the statuses alone ("0110"), as pages before miss counts kept them.
  // Anything else starts from the test.
  function loadProgress() {
    const progress = { status: new Array(count).fill(0), misses: testMisses.slice(), missedFirst: false };
    try {
      const stored = localStorage.getItem(data.store) || '';
      const saved = stored[0] === '{' ? JSON.parse(stored) : { status: stored };
      if (typeof saved.status === 'string' && saved.status.length === count) {
        for (let i = 0; i < count; ++i) progress.status[i] = saved.status.charCodeAt(i) === 49 ? 1 : 0;
      }
      if (Array.isArray(saved.misses) && saved.misses.length === count) progress.misses = saved.misses.map(missCount);
      progress.missedFirst = saved.missedFirst === true;
    } catch (e) {
      // A browser without storage practises without keeping progress.
    }
    return progress;
  }

  // Nothing is kept while nothing differs from the test as exported.
  function saveProgress() {
    try {
      const learned = run.missedFirst || status.some((s) => s !== 0) || misses.some((m, i) => m !== testMisses[i]);
      const progress = { status: status.join(''), misses, missedFirst: run.missedFirst };
      if (!learned) localStorage.removeItem(data.store);
      else localStorage.setItem(data.store, JSON.stringify(progress));
    } catch (e) {
      // As above: the progress of this visit only.
    }
  }

  // An integer from 0 to RANDOM_MAX, as the program's generator draws.
  function draw() {
    return Math.floor(Math.random() * (RANDOM_MAX + 1));
  }

  // 5 to 15 steps from the current question (from none the first lands on
  // the first question), then on past answered questions and past the last
  // asked one, the latter until the end has been passed twice.
  function pickRandomQuestion() {
    if (count === 0) return -1;
    let passes = 0;
    const advance = (i) => {
      if (i >= 0 && i + 1 < count) return i + 1;
      if (i >= 0) ++passes;
      return 0;
    };
    const steps = 5 + Math.floor((draw() * 10) / RANDOM_MAX);
    let i = run.current;
    for (let step = 0; step < steps; ++step) i = advance(i);
    passes = 0;
    while (status[i] !== 0 || (i === run.lastAsked && passes < 2)) {
      i = advance(i);
      if (passes >= 3) return -1;
    }
    return i;
  }

  // Missed questions first: at random among the unanswered questions with
  // the highest miss count above 0, the last asked left out while another
  // unanswered question has a miss. -1, without drawing, when none has one.
  function pickMostMissedQuestion() {
    const missed = (i) => status[i] === 0 && misses[i] > 0;
    let candidates = 0;
    let lastIsCandidate = false;
    for (let i = 0; i < count; ++i) {
      if (!missed(i)) continue;
      ++candidates;
      lastIsCandidate = lastIsCandidate || i === run.lastAsked;
    }
    if (candidates === 0) return -1;
    const left = lastIsCandidate && candidates > 1 ? run.lastAsked : -1;
    const eligible = (i) => missed(i) && i !== left;
    let highest = 0;
    let tied = 0;
    for (let i = 0; i < count; ++i) {
      if (!eligible(i) || misses[i] < highest) continue;
      tied = misses[i] > highest ? 1 : tied + 1;
      highest = misses[i];
    }
    let pick = Math.floor((draw() * tied) / (RANDOM_MAX + 1));
    for (let i = 0; i < count; ++i) {
      if (eligible(i) && misses[i] === highest && pick-- === 0) return i;
    }
    return -1;
  }

  // The miss of the asking that ends now is counted and kept.
  function endAsking() {
    const i = run.asking;
    const missed = i >= 0 && run.revealed && status[i] === 0;
    run.asking = -1;
    run.revealed = false;
    if (!missed || misses[i] >= data.maxMisses) return;
    ++misses[i];
    showListStatus(i);
    saveProgress();
  }

  // The rows of count answers: each draws until it hits a free row.
  function drawPlacement(answers) {
    const taken = [];
    const rows = [];
    for (let a = 0; a < answers; ++a) {
      let row;
      do row = Math.floor((draw() * answers) / RANDOM_MAX); while (row >= answers || taken[row]);
      taken[row] = true;
      rows.push(row);
    }
    return rows;
  }

  function say(text) {
    // A new text node each time, so a repeated message is announced again.
    $('message').textContent = '';
    window.setTimeout(() => { $('message').textContent = text; }, 30);
  }

  function enable(name, on) {
    const button = buttons[name];
    if (button.disabled === !on) return;
    if (!on && document.activeElement === button) $('test').focus({ preventScroll: true });
    button.disabled = !on;
  }

  function updateCounters() {
    const rate = run.asked !== 0 ? (run.correct * 100) / run.asked : 0;
    $('asked').textContent = 'Asked: ' + run.asked;
    $('correct').textContent = 'Correct: ' + run.correct + ' (' + rate.toFixed(2) + ' %)';
    $('remaining').textContent = 'Remaining: ' + run.remaining;
  }

  // What a list entry says after its keyword: answered (to screen readers;
  // the eye sees a check mark) and the miss count, none for 0.
  function listNotes(i) {
    return (status[i] !== 0 ? '<span class="hidden-text"> (answered)</span>' : '') +
      (misses[i] > 0 ? '<span class="misses"> missed ' + misses[i] + '</span>' : '');
  }

  function showListStatus(i) {
    const button = listItems[i];
    if (!button) return;  // not listed yet: it is shown as it is listed
    button.classList.toggle('answered', status[i] !== 0);
    button.querySelectorAll('span').forEach((note) => note.remove());
    button.insertAdjacentHTML('beforeend', listNotes(i));
  }

  function deselect() {
    const chosen = document.querySelector('#list [aria-pressed="true"]');
    if (chosen) chosen.setAttribute('aria-pressed', 'false');
  }

  function showText(index) {
    const pane = $('text-pane');
    pane.hidden = index < 0;
    pane.innerHTML = index >= 0 ? files[index] : '';
  }

  function showPicture(index) {
    const picture = $('picture');
    $('picture-pane').hidden = index < 0;
    if (index >= 0) picture.src = files[index];
    else picture.removeAttribute('src');
  }

  function clearDisplay() {
    $('keyword').textContent = '';
    $('question').textContent = '';
    $('answers').textContent = '';
    showText(-1);
    showPicture(-1);
  }

  function display(i) {
    const [keyword, question, right, wrong, attached] = questions[i];
    $('keyword').textContent = keyword;
    $('question').textContent = question;
    const answers = (right !== '' ? [right] : []).concat(wrong);
    if (answers.length > 1) {
      const rows = drawPlacement(answers.length);
      const texts = [];
      rows.forEach((row, a) => { texts[row] = answers[a]; });
      texts.forEach((text, row) => $('answers').appendChild(answerRow(row, text)));
    }
    run.heldAnswer = right;
    if (attached[0] >= 0) showText(attached[0]);
    if (attached[1] >= 0) showPicture(attached[1]);
    run.answerFiles = [attached[2], attached[3]];
  }

  function answerRow(row, text) {
    const item = document.createElement('li');
    const button = document.createElement('button');
    button.type = 'button';
    button.className = 'answer';
    button.dataset.row = row;
    const marker = document.createElement('span');
    marker.className = 'marker';
    marker.textContent = String(row + 1);
    const label = document.createElement('span');
    label.className = 'text';
    label.textContent = text;
    button.append(marker, label);
    item.appendChild(button);
    return item;
  }

  function chooseQuestion() {
    if (run.selected >= 0) return run.selected;
    const missed = run.missedFirst ? pickMostMissedQuestion() : -1;
    return missed >= 0 ? missed : pickRandomQuestion();
  }

  function ask() {
    endAsking();
    run.wrongChoice = false;
    if (count === 0 || run.remaining === 0) return say(MESSAGES.noQuestion);
    clearDisplay();
    const chosen = chooseQuestion();
    run.current = chosen;
    run.selected = -1;
    run.lastAsked = chosen;
    run.asking = chosen;
    run.heldAnswer = null;
    // The focus goes to the question, which is announced by its keyword.
    say('');
    if (chosen >= 0) display(chosen);
    enable('mark', chosen >= 0 && status[chosen] === 0);
    enable('show', true);
    enable('reset', false);
    ++run.asked;
    updateCounters();
    deselect();
    $('test').focus({ preventScroll: true });
  }

  function showAnswer() {
    if (run.heldAnswer === null) return say(MESSAGES.noDisplay);
    const answer = run.heldAnswer;
    run.heldAnswer = null;
    run.revealed = true;
    const revealed = document.createElement('li');
    const box = document.createElement('div');
    box.className = 'revealed';
    box.textContent = answer;
    revealed.appendChild(box);
    $('answers').replaceChildren(revealed);
    if (run.answerFiles[0] >= 0) showText(run.answerFiles[0]);
    if (run.answerFiles[1] >= 0) showPicture(run.answerFiles[1]);
    enable('reset', false);
    enable('show', false);
    updateCounters();
  }

  function markAsAnswered() {
    const i = run.current;
    let message = '';
    if (i < 0) {
      message = MESSAGES.noDisplay;
    } else if (status[i] === 0) {
      if (!run.wrongChoice) {
        status[i] = 1;
        --run.remaining;
        enable('resetAll', true);
        showListStatus(i);
        ++run.correct;
        saveProgress();
      }
      if (run.remaining === 0) {
        enable('ask', false);
        message = MESSAGES.allAnswered;
      }
    }
    enable('mark', false);
    enable('reset', false);
    run.selected = -1;
    run.current = -1;
    updateCounters();
    return message;
  }

  // Back to not answered. A question reset while it is asked starts afresh:
  // it was marked as known, so what the asking showed before is no miss.
  function unmark(i) {
    if (i === run.asking) run.revealed = false;
    status[i] = 0;
    ++run.remaining;
    showListStatus(i);
  }

  function resetQuestion() {
    const i = run.selected;
    if (i >= 0 && status[i] !== 0) {
      unmark(i);
      saveProgress();
      enable('ask', true);
    }
    run.selected = -1;
    run.current = -1;
    enable('reset', false);
    deselect();
    updateCounters();
  }

  function resetAll() {
    if (count === 0) return say(MESSAGES.noQuestion);
    // The miss counts stay, as in the program.
    for (let i = 0; i < count; ++i) {
      if (status[i] !== 0) unmark(i);
    }
    saveProgress();
    enable('reset', false);
    enable('resetAll', false);
    enable('ask', true);
    updateCounters();
  }

  function select(i) {
    deselect();
    listItems[i].setAttribute('aria-pressed', 'true');
    run.selected = i;
    enable('reset', status[i] !== 0);
    enable('show', false);
    enable('mark', false);
  }

  // A click on an answer row: the right text reveals and marks, a wrong one
  // spoils this asking. Rows do nothing once the answer is shown.
  function chooseRow(row) {
    if (run.heldAnswer === null) return;
    const button = document.querySelector('#answers .answer[data-row="' + row + '"]');
    if (!button) return;
    if (button.lastChild.textContent === run.heldAnswer) {
      const spoiled = run.wrongChoice;
      showAnswer();
      const note = markAsAnswered();
      say([spoiled ? MESSAGES.rightNotCounted : MESSAGES.right, note].filter(Boolean).join(' '));
      return;
    }
    run.wrongChoice = true;
    run.revealed = true;
    button.classList.toggle('wrong');
    say(MESSAGES.wrong);
  }

  function command(name) {
    if (buttons[name].disabled) return;
    if (name === 'ask') ask();
    if (name === 'show') showAnswer();
    if (name === 'mark') say(markAsAnswered());
    if (name === 'reset') resetQuestion();
    if (name === 'resetAll') resetAll();
  }

  function escapeHtml(text) {
    return text.replace(/[&<>"']/g, (c) => '&#' + c.charCodeAt(0) + ';');
  }

  // The list is written as markup a piece at a time: the first entries at
  // once, the rest after the page is shown, so a test of ten thousand
  // questions opens without waiting for all of them to be laid out.
  function fillList() {
    const collator = new Intl.Collator(undefined, { sensitivity: 'base' });
    const order = questions.map((q, i) => i).sort((a, b) => collator.compare(questions[a][0], questions[b][0]) || a - b);
    const list = $('list');
    const entry = (i) => '<li><button type="button" aria-pressed="false" data-index="' + i + '"' +
      (status[i] !== 0 ? ' class="answered"' : '') + '>' + (escapeHtml(questions[i][0]) || '&#160;') + listNotes(i) +
      '</button></li>';
    let next = 0;
    const addEntries = (size) => {
      const end = Math.min(order.length, next + size);
      list.insertAdjacentHTML('beforeend', order.slice(next, end).map(entry).join(''));
      for (; next < end; ++next) listItems[order[next]] = list.children[next].firstChild;
      if (next < order.length) window.setTimeout(() => addEntries(LIST_PIECE), 0);
    };
    addEntries(FIRST_LIST_PIECE);
  }

  function onKey(event) {
    if (event.altKey || event.ctrlKey || event.metaKey) return;
    const onControl = event.target.closest && event.target.closest('button, input');
    if (event.key >= '1' && event.key <= '5') {
      chooseRow(Number(event.key) - 1);
    } else if (event.key === 'm' || event.key === 'M') {
      command('mark');
    } else if ((event.key === ' ' || event.key === 'Enter') && !onControl) {
      command(event.key === 'Enter' ? 'ask' : 'show');
    } else {
      return;
    }
    event.preventDefault();
  }

  $('title').textContent = data.title;
  $('picture').addEventListener('error', () => { $('picture-pane').hidden = true; });
  fillList();
  buttons.ask.disabled = count === 0;
  buttons.resetAll.disabled = run.remaining >= count;
  buttons.ask.addEventListener('click', () => command('ask'));
  buttons.show.addEventListener('click', () => command('show'));
  buttons.mark.addEventListener('click', () => command('mark'));
  buttons.reset.addEventListener('click', () => command('reset'));
  buttons.resetAll.addEventListener('click', () => command('resetAll'));
  $('answers').addEventListener('click', (event) => {
    const button = event.target.closest('.answer');
    if (button) chooseRow(Number(button.dataset.row));
  });
  $('list').addEventListener('click', (event) => {
    const button = event.target.closest('button');
    if (button) select(Number(button.dataset.index));
  });
  $('missed-first').checked = run.missedFirst;
  $('missed-first').addEventListener('change', (event) => {
    run.missedFirst = event.target.checked;
    saveProgress();
  });
  document.addEventListener('keydown', onKey);
  // Leaving the page ends the asking, as Exit ends it in the program.
  window.addEventListener('pagehide', endAsking);
  updateCounters();
})();
