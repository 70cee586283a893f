/* Quoravel quote page: a form that prices one client on every product of a
 * carrier through the quote server, and fetches a product's proposal PDF.
 *
 * Served at / by `quoravel serve`, or mounted into a host site's page with
 *   <div id="term-quote"></div>
 *   <script src="https://quotes.example.com/quote.js" data-target="#term-quote" defer></script>
 * The API is asked at the origin this script came from (data-api overrides
 * it), and the script adds its own stylesheet beside it unless the page
 * already links it or says data-css="none". See docs/web-page.md.
 */
(function () {
  'use strict';

  // Known only while this file runs for the first time, not in callbacks.
  const script = document.currentScript;

  const STATES = [
    ['AL', 'Alabama'], ['AK', 'Alaska'], ['AZ', 'Arizona'], ['AR', 'Arkansas'],
    ['CA', 'California'], ['CO', 'Colorado'], ['CT', 'Connecticut'], ['DE', 'Delaware'],
    ['DC', 'District of Columbia'], ['FL', 'Florida'], ['GA', 'Georgia'], ['HI', 'Hawaii'],
    ['ID', 'Idaho'], ['IL', 'Illinois'], ['IN', 'Indiana'], ['IA', 'Iowa'],
    ['KS', 'Kansas'], ['KY', 'Kentucky'], ['LA', 'Louisiana'], ['ME', 'Maine'],
    ['MD', 'Maryland'], ['MA', 'Massachusetts'], ['MI', 'Michigan'], ['MN', 'Minnesota'],
    ['MS', 'Mississippi'], ['MO', 'Missouri'], ['MT', 'Montana'], ['NE', 'Nebraska'],
    ['NV', 'Nevada'], ['NH', 'New Hampshire'], ['NJ', 'New Jersey'], ['NM', 'New Mexico'],
    ['NY', 'New York'], ['NC', 'North Carolina'], ['ND', 'North Dakota'], ['OH', 'Ohio'],
    ['OK', 'Oklahoma'], ['OR', 'Oregon'], ['PA', 'Pennsylvania'], ['RI', 'Rhode Island'],
    ['SC', 'South Carolina'], ['SD', 'South Dakota'], ['TN', 'Tennessee'], ['TX', 'Texas'],
    ['UT', 'Utah'], ['VT', 'Vermont'], ['VA', 'Virginia'], ['WA', 'Washington'],
    ['WV', 'West Virginia'], ['WI', 'Wisconsin'], ['WY', 'Wyoming']
  ];

  // Empty value: the class the quote takes when none is named.
  const CLASSES = [
    ['', 'Preferred Elite No Nicotine'],
    ['SP', 'Preferred Best No Nicotine'],
    ['P', 'Preferred No Nicotine'],
    ['QN', 'Select No Nicotine'],
    ['N', 'Standard No Nicotine'],
    ['PS', 'Preferred Nicotine'],
    ['S', 'Standard Nicotine'],
    ['5', 'Custom (Rated) No Nicotine'],
    ['8', 'Custom (Rated) Nicotine']
  ];

  const TABLES = ['None', 'A', 'AA', 'B', 'BB', 'C', 'CC', 'D', 'E', 'F', 'G', 'H',
    'I', 'J', 'K', 'L', 'M', 'N', 'O', 'P'];

  const WAIVERS = [['', 'No waiver'], ['1', '100 %'], ['1.5', '150 %'], ['2', '200 %'],
    ['2.5', '250 %'], ['3', '300 %']];

  const MODES = [['A', 'Annual', 'annual'], ['S', 'Semi-annual', 'semiAnnual'],
    ['Q', 'Quarterly', 'quarterly'], ['M', 'Monthly', 'monthly']];

  const CARRIERS = [
    ['BRN', 'Castmere Life and Annuity Insurance Company'],
    ['QNB', 'Castmere Life Insurance Company of New York'],
    ['TVNY', 'Castmere Life Insurance Company']
  ];

  // The agent printed on a proposal: the API's names and the form's labels.
  // A relay case refuses a proposal without the name and the whole address.
  const AGENT_FIELDS = [
    ['agent-name', "Agent's name", 'name'],
    ['agent-company', 'Broker-dealer', 'organization'],
    ['agent-address1', 'Address', 'address-line1'],
    ['agent-address2', 'Address, second line', 'address-line2'],
    ['agent-city', 'City', 'address-level2'],
    ['agent-state', 'State', 'address-level1'],
    ['agent-zip', 'ZIP code', 'postal-code'],
    ['agent-phone', 'Phone', 'tel'],
    ['agent-license', 'License number', 'off'],
    ['agent-broker', 'General agency', 'off']
  ];
  const AGENT_STORE = 'quoravel-quote-agent';

  // The request names each message's input; these are the form's fields for them.
  const FIELD_OF_INPUT = {
    'age': 'age', 'birth-date': 'birth-date', 'as-of': 'birth-date', 'sex': 'sex',
    'state': 'state', 'class': 'class', 'table': 'table', 'flat-perm': 'flat-perm',
    'flat-temp': 'flat-temp-amount', 'waiver': 'waiver', 'child': 'child',
    'face': 'face', 'mode': 'mode', 'carrier': 'carrier', 'name': 'name'
  };
  for (const [name] of AGENT_FIELDS) FIELD_OF_INPUT[name] = name;

  const money = new Intl.NumberFormat('en-US', { style: 'currency', currency: 'USD' });
  const wholeDollars = new Intl.NumberFormat('en-US',
    { style: 'currency', currency: 'USD', minimumFractionDigits: 0, maximumFractionDigits: 0 });

  function formatMoney(amount) { return money.format(amount); }
  function formatFace(amount) { return wholeDollars.format(amount); }

  function el(tag, attributes, children) {
    const node = document.createElement(tag);
    for (const [name, value] of Object.entries(attributes || {})) {
      if (value === undefined || value === null || value === false) continue;
      if (name === 'text') node.textContent = value;
      else if (name === 'className') node.className = value;
      else node.setAttribute(name, value === true ? '' : String(value));
    }
    for (const child of children || []) {
      if (child === null || child === undefined) continue;
      node.append(child);
    }
    return node;
  }

  function options(list, selected) {
    return list.map(([value, label]) =>
      `<option value="${value}"${value === selected ? ' selected' : ''}>${label}</option>`).join('');
  }

  // Where the API and the stylesheet live: beside this script, unless told.
  function serverBase() {
    const told = script && script.dataset.api;
    if (told) return told.replace(/\/+$/, '');
    if (script && script.src) return new URL(script.src, document.baseURI).origin;
    return window.location.origin;
  }

  function ensureStylesheet() {
    if (!script || !script.src || script.dataset.css === 'none') return;
    const href = new URL('quote.css', script.src).href;
    for (const link of document.querySelectorAll('link[rel~="stylesheet"]')) {
      if (link.href === href) return;
    }
    document.head.append(el('link', { rel: 'stylesheet', href: href }));
  }

  function findContainer() {
    const target = script && script.dataset.target;
    if (target) {
      const found = document.querySelector(target);
      if (!found) throw new Error(`Quoravel quote: no element matches data-target="${target}".`);
      return found;
    }
    const marked = document.querySelector('[data-quoravel-quote]:not([data-quoravel-mounted])');
    if (marked) return marked;
    const made = el('div');
    if (script && script.parentNode && script.parentNode !== document.head) script.after(made);
    else document.body.append(made);
    return made;
  }

  function formMarkup(id) {
    return `
<div class="qv-errors" id="${id}-errors" tabindex="-1" hidden>
  <h2 class="qv-errors-title">The quote could not be made</h2>
  <ul></ul>
</div>
<fieldset class="qv-group">
  <legend>Insured</legend>
  <div class="qv-field">
    <label for="${id}-age">Age</label>
    <input id="${id}-age" name="age" type="text" inputmode="numeric" autocomplete="off" aria-describedby="${id}-age-note" size="4">
    <span class="qv-note" id="${id}-age-note">Nearest birthday, or give the birth date</span>
  </div>
  <div class="qv-field">
    <label for="${id}-birth-date">Birth date</label>
    <input id="${id}-birth-date" name="birth-date" type="date" min="1900-01-01">
  </div>
  <div class="qv-field">
    <label for="${id}-sex">Sex</label>
    <select id="${id}-sex" name="sex" required>
      <option value="">Choose…</option><option value="M">Male</option><option value="F">Female</option>
    </select>
  </div>
  <div class="qv-field">
    <label for="${id}-state">State of delivery</label>
    <select id="${id}-state" name="state" required>
      <option value="">Choose…</option>${options(STATES.map(([code, name]) => [code, `${name} (${code})`]))}
    </select>
  </div>
  <div class="qv-field qv-span2">
    <label for="${id}-name">Insured's name <span class="qv-optional">(optional, for the proposal)</span></label>
    <input id="${id}-name" name="name" type="text" autocomplete="off" maxlength="80">
  </div>
</fieldset>
<fieldset class="qv-group">
  <legend>Underwriting</legend>
  <div class="qv-field">
    <label for="${id}-class">Class</label>
    <select id="${id}-class" name="class">${options(CLASSES, '')}</select>
  </div>
  <div class="qv-field">
    <label for="${id}-table">Table rating</label>
    <select id="${id}-table" name="table">${options(TABLES.map((t) => [t, t]), 'None')}</select>
  </div>
  <div class="qv-field">
    <label for="${id}-flat-perm">Permanent flat extra</label>
    <input id="${id}-flat-perm" name="flat-perm" type="text" inputmode="decimal" autocomplete="off" placeholder="0.00" aria-describedby="${id}-per-thousand" size="6">
  </div>
  <div class="qv-field qv-pair">
    <span class="qv-label" id="${id}-flat-temp-label">Temporary flat extra</span>
    <div class="qv-pair-inputs">
      <input id="${id}-flat-temp-amount" name="flat-temp-amount" type="text" inputmode="decimal" autocomplete="off" placeholder="0.00" aria-labelledby="${id}-flat-temp-label ${id}-flat-temp-amount-label" aria-describedby="${id}-per-thousand" size="6">
      <span class="qv-visually-hidden" id="${id}-flat-temp-amount-label">amount</span>
      <label for="${id}-flat-temp-years">for</label>
      <input id="${id}-flat-temp-years" name="flat-temp-years" type="text" inputmode="numeric" autocomplete="off" size="3" aria-describedby="${id}-years-note">
      <span id="${id}-years-note">years</span>
    </div>
  </div>
  <p class="qv-note qv-wide" id="${id}-per-thousand">Flat extras are per $1,000 of face amount.</p>
  <div class="qv-field">
    <label for="${id}-waiver">Waiver of premium</label>
    <select id="${id}-waiver" name="waiver">${options(WAIVERS, '')}</select>
  </div>
  <div class="qv-field">
    <label for="${id}-child">Children's rider units</label>
    <input id="${id}-child" name="child" type="text" inputmode="numeric" autocomplete="off" placeholder="0" size="3" aria-describedby="${id}-child-note">
    <span class="qv-note" id="${id}-child-note">0 to 10</span>
  </div>
</fieldset>
<fieldset class="qv-group">
  <legend>Policy</legend>
  <div class="qv-field qv-faces" role="group" aria-labelledby="${id}-faces-label">
    <span class="qv-label" id="${id}-faces-label">Face amounts</span>
    <ol class="qv-face-list"></ol>
    <button type="button" class="qv-secondary qv-add-face">Add a face amount</button>
  </div>
  <div class="qv-field">
    <label for="${id}-mode">Payment mode</label>
    <select id="${id}-mode" name="mode">${options(MODES.map(([code, label]) => [code, label]), 'A')}</select>
  </div>
  <div class="qv-field qv-span2">
    <label for="${id}-carrier">Carrier</label>
    <select id="${id}-carrier" name="carrier">${options(CARRIERS, 'BRN')}</select>
  </div>
</fieldset>
<details class="qv-agent">
  <summary>Agent on the proposal <span class="qv-agent-summary"></span></summary>
  <fieldset class="qv-group">
    <legend class="qv-visually-hidden">Agent on the proposal</legend>
    ${AGENT_FIELDS.map(([name, label, auto]) => `<div class="qv-field">
      <label for="${id}-${name}">${label}</label>
      ${name === 'agent-state'
        ? `<select id="${id}-${name}" name="${name}" autocomplete="${auto}"><option value=""></option>${options(STATES)}</select>`
        : `<input id="${id}-${name}" name="${name}" type="text" autocomplete="${auto}" maxlength="80">`}
    </div>`).join('')}
    <p class="qv-note qv-wide">Printed on each proposal, not on the quote; kept in this browser for the next visit.</p>
  </fieldset>
</details>
<div class="qv-actions">
  <button type="submit" class="qv-primary">Quote</button>
</div>`;
  }

  function mount() {
    const container = findContainer();
    container.setAttribute('data-quoravel-mounted', '');
    ensureStylesheet();
    const base = serverBase();
    // Ids apart from any other copy of the form on the same page.
    const id = `qv${document.querySelectorAll('.qv-quote').length + 1}`;

    const form = el('form', { className: 'qv-form', novalidate: true, 'aria-label': 'Client to quote' });
    form.innerHTML = formMarkup(id);
    const status = el('p', { className: 'qv-status', role: 'status', 'aria-live': 'polite' });
    const results = el('section', { className: 'qv-results', 'aria-labelledby': `${id}-results-title`, hidden: true });
    const footer = el('p', { className: 'qv-footer' });
    const root = el('div', { className: 'qv-quote' }, [form, status, results, footer]);
    container.replaceChildren(root);

    const errorBox = form.querySelector('.qv-errors');
    const faceList = form.querySelector('.qv-face-list');
    let faceCount = 0;
    let pending = null;       // the quote request under way, to cancel on a new one
    let quotedInput = null;   // the inputs of the quote shown, for its proposals

    function addFace(value) {
      faceCount += 1;
      const n = faceList.children.length + 1;
      const inputId = `${id}-face-${faceCount}`;
      const input = el('input', {
        id: inputId, name: 'face', type: 'text', inputmode: 'numeric', autocomplete: 'off',
        placeholder: '250,000', size: 12, value: value || undefined
      });
      const label = el('label', { for: inputId, className: 'qv-visually-hidden', text: `Face amount ${n}` });
      const item = el('li', {}, [label, input]);
      if (n > 1) {
        const remove = el('button', {
          type: 'button', className: 'qv-secondary qv-remove-face',
          'aria-label': `Remove face amount ${n}`, text: 'Remove'
        });
        remove.addEventListener('click', () => {
          const next = item.nextElementSibling || item.previousElementSibling;
          item.remove();
          renumberFaces();
          const focusTo = next && next.querySelector('input');
          (focusTo || form.querySelector('.qv-add-face')).focus();
        });
        item.append(remove);
      }
      faceList.append(item);
      return input;
    }

    function renumberFaces() {
      [...faceList.children].forEach((item, i) => {
        item.querySelector('label').textContent = `Face amount ${i + 1}`;
        const remove = item.querySelector('.qv-remove-face');
        if (remove) remove.setAttribute('aria-label', `Remove face amount ${i + 1}`);
      });
    }

    addFace();
    const agentBox = form.querySelector('.qv-agent');
    setUpAgent();
    form.querySelector('.qv-add-face').addEventListener('click', () => addFace().focus());

    // The agent comes from the embedding page's data-agent-… attributes,
    // else from what this browser kept from the last visit.
    function setUpAgent() {
      let kept = {};
      try { kept = JSON.parse(window.localStorage.getItem(AGENT_STORE) || '{}') || {}; } catch (ignored) { kept = {}; }
      for (const [name] of AGENT_FIELDS) {
        const attribute = `data-${name}`;
        const given = container.getAttribute(attribute) || (script && script.getAttribute(attribute));
        const value = given || kept[name] || '';
        if (value) form.elements[name].value = value;
      }
      showAgentSummary();
      agentBox.addEventListener('change', () => {
        showAgentSummary();
        try { window.localStorage.setItem(AGENT_STORE, JSON.stringify(agentInput())); } catch (ignored) { /* not kept: private mode */ }
      });
    }

    function agentInput() {
      const agent = {};
      for (const [name] of AGENT_FIELDS) {
        const v = form.elements[name].value.trim();
        if (v !== '') agent[name] = v;
      }
      return agent;
    }

    function showAgentSummary() {
      const name = form.elements['agent-name'].value.trim();
      agentBox.querySelector('.qv-agent-summary').textContent = name ? `(${name})` : '(none yet)';
    }

    function askForAgent() {
      agentBox.open = true;
      const missing = ['agent-name', 'agent-address1', 'agent-city', 'agent-state', 'agent-zip']
        .map((name) => form.elements[name]).find((field) => field.value.trim() === '');
      (missing || form.elements['agent-name']).focus();
    }

    // A face amount may be typed as brokers write it ($1,250,000); grouping
    // that is not in thousands is sent as typed, so the server names it.
    function faceValue(text) {
      const t = text.trim();
      if (/^\$?\d{1,3}(,\d{3})+$/.test(t) || /^\$\d+$/.test(t)) return t.replace(/[$,]/g, '');
      return t;
    }

    // The request as `quoravel quote -` takes it, and what the server cannot
    // see: a date the browser could not read is no value at all to it.
    function readForm() {
      const body = {};
      const problems = [];
      const value = (name) => form.elements[name].value.trim();
      const put = (key, v) => { if (v !== '') body[key] = v; };
      put('age', value('age'));
      const birth = form.elements['birth-date'];
      if (birth.validity.badInput) {
        problems.push({ field: 'birth-date', text: 'Birth date: the date is not complete; finish it or clear it.' });
      }
      put('birth-date', birth.value);
      // The quote takes a missing sex as female; the page asks instead of guessing.
      if (value('sex') === '') problems.push({ field: 'sex', text: 'Sex: choose the insured\'s sex.' });
      put('sex', value('sex'));
      put('state', value('state'));
      put('class', value('class'));
      if (value('table') !== 'None') put('table', value('table'));
      put('flat-perm', value('flat-perm'));
      const tempAmount = value('flat-temp-amount');
      const tempYears = value('flat-temp-years');
      // One half left out is sent as it stands, for the server to name.
      if (tempAmount !== '' || tempYears !== '') body['flat-temp'] = `${tempAmount}:${tempYears}`;
      put('waiver', value('waiver'));
      put('child', value('child'));
      const faces = [...faceList.querySelectorAll('input')].map((i) => faceValue(i.value)).filter((f) => f !== '');
      if (faces.length) body.face = faces;
      put('mode', value('mode'));
      put('carrier', value('carrier'));
      put('name', value('name'));
      return { body, problems };
    }

    function clearErrors() {
      errorBox.hidden = true;
      errorBox.querySelector('ul').replaceChildren();
      for (const field of form.querySelectorAll('[aria-invalid]')) {
        field.removeAttribute('aria-invalid');
        const notes = (field.getAttribute('aria-describedby') || '').split(' ').filter((d) => d && !d.includes('-error-'));
        if (notes.length) field.setAttribute('aria-describedby', notes.join(' '));
        else field.removeAttribute('aria-describedby');
      }
      for (const message of form.querySelectorAll('.qv-field-error')) message.remove();
    }

    // The field a server message is about: messages begin with the input's
    // name ("age: ...", "--age: ...", "quoravel quote: --age: ...").
    function fieldOfMessage(text) {
      const m = /^(?:quoravel quote:\s*)?(?:--)?([a-z][a-z-]*)(?:\s+and\s+[a-z-]+)?\s*:/.exec(text);
      const name = m && FIELD_OF_INPUT[m[1]];
      if (!name) return null;
      if (name === 'face') {
        const inputs = [...faceList.querySelectorAll('input')];
        const quoted = /"([^"]*)"/.exec(text);
        const match = quoted && inputs.find((i) => faceValue(i.value) === quoted[1] || i.value.trim() === quoted[1]);
        return match || inputs[0];
      }
      return form.elements[name] || null;
    }

    function showErrors(messages) {
      clearErrors();
      const list = errorBox.querySelector('ul');
      for (const { field, text } of messages) {
        const input = field instanceof Element ? field : (field ? form.elements[field] : fieldOfMessage(text));
        const item = el('li', {}, [input ? el('a', { href: `#${input.id}`, text }) : text]);
        list.append(item);
        if (input) {
          input.setAttribute('aria-invalid', 'true');
          const holder = input.closest('.qv-field') || input.parentNode;
          const note = el('p', { className: 'qv-field-error', id: `${id}-error-${list.children.length}`, text });
          holder.append(note);
          input.setAttribute('aria-describedby',
            `${input.getAttribute('aria-describedby') || ''} ${note.id}`.trim());
        }
      }
      errorBox.hidden = false;
      errorBox.focus();
    }

    errorBox.addEventListener('click', (event) => {
      const link = event.target.closest('a[href^="#"]');
      if (!link) return;
      event.preventDefault();
      const target = document.getElementById(link.getAttribute('href').slice(1));
      if (target) target.focus();
    });

    async function errorsOf(response) {
      try {
        const answer = await response.json();
        if (answer && Array.isArray(answer.errors) && answer.errors.length) return answer.errors.map(String);
      } catch (ignored) { /* not JSON: say the status below */ }
      return [`The quote server answered ${response.status} ${response.statusText}`.trim() + '.'];
    }

    form.addEventListener('submit', async (event) => {
      event.preventDefault();
      const { body, problems } = readForm();
      if (pending) pending.abort();
      const controller = new AbortController();
      pending = controller;
      root.setAttribute('aria-busy', 'true');
      status.textContent = 'Pricing…';
      try {
        const response = await fetch(`${base}/v1/quote`, {
          method: 'POST',
          headers: { 'Content-Type': 'application/json', 'Accept': 'application/json' },
          body: JSON.stringify(body),
          signal: controller.signal
        });
        // Every fault at once: the form's own and the server's.
        const messages = response.ok ? [] : await errorsOf(response);
        if (problems.length || messages.length) {
          results.hidden = true;
          showErrors([...problems, ...messages.map((text) => ({ text }))]);
          status.textContent = response.ok || response.status === 400
            ? 'The quote could not be made: check the fields marked.'
            : `The quote could not be made: ${messages.join(' ')}`;
          return;
        }
        const quote = await response.json();
        clearErrors();
        quotedInput = body;
        showQuote(quote, body.mode || 'A');
      } catch (error) {
        if (error.name === 'AbortError') return;
        results.hidden = true;
        showErrors([{ text: 'The quote server could not be reached or gave no readable answer. Your entries are kept: try again.' }]);
        status.textContent = 'The quote could not be made: the server could not be reached.';
      } finally {
        if (pending === controller) {
          pending = null;
          root.removeAttribute('aria-busy');
        }
      }
    });

    function productName(quote, code) {
      const line = quote.quotes.find((q) => q.code === code);
      return line ? line.name : code;
    }

    // The hints in the words of `quoravel quote --format table`.
    function hintSentences(quote) {
      const sentences = [];
      const hints = quote.hints || {};
      const faceCount = new Set(quote.quotes.map((q) => q.face)).size;
      const named = (code, face) => faceCount > 1
        ? `${productName(quote, code)} at ${formatFace(face)}` : productName(quote, code);
      const change = hints.ageChange;
      for (const p of (change && change.premiums) || []) {
        sentences.push(`Age changes to ${change.age} on ${change.date}: ${named(p.code, p.face)}`
          + (p.annual !== undefined ? ` annual premium becomes ${formatMoney(p.annual)}` : ' can no longer be issued'));
      }
      for (const band of hints.bands || []) {
        const cents = Math.round(band.bandAnnual * 100) - Math.round(band.annual * 100);
        const cost = cents === 0 ? 'costs the same a year as'
          : `costs ${formatMoney(Math.abs(cents) / 100)} ${cents < 0 ? 'less' : 'more'} a year than`;
        sentences.push(`${productName(quote, band.code)}: ${formatFace(band.bandFace)} ${cost} ${formatFace(band.face)}`);
      }
      return sentences;
    }

    function showQuote(quote, mode) {
      const issued = quote.quotes.filter((q) => q.issuable);
      const refused = quote.quotes.filter((q) => !q.issuable);
      const modeIndex = Math.max(0, MODES.findIndex(([code]) => code === mode));
      const title = el('h2', { id: `${id}-results-title`, text: 'Premiums' });
      const parts = [title];

      if (issued.length) {
        const table = el('table', { className: 'qv-table', role: 'table' });
        table.append(el('caption', { text: 'Every product that can be issued, cheapest first year first; '
          + `the ${MODES[modeIndex][1].toLowerCase()} premium is the one chosen.` }));
        const headRow = el('tr', { role: 'row' }, [
          el('th', { scope: 'col', role: 'columnheader', text: 'Product' }),
          el('th', { scope: 'col', role: 'columnheader', className: 'qv-num', text: 'Face' }),
          ...MODES.map(([, label], i) => el('th', {
            scope: 'col', role: 'columnheader',
            className: `qv-num${i === modeIndex ? ' qv-chosen' : ''}`, text: label
          })),
          el('th', { scope: 'col', role: 'columnheader', className: 'qv-action' },
            [el('span', { className: 'qv-visually-hidden', text: 'Proposal' })])
        ]);
        table.append(el('thead', { role: 'rowgroup' }, [headRow]));
        const tbody = el('tbody', { role: 'rowgroup' });
        for (const line of issued) tbody.append(quoteRow(line, modeIndex));
        table.append(tbody);
        parts.push(el('div', { className: 'qv-table-box' }, [table]));
      } else {
        parts.push(el('p', { text: 'No product can be issued for this client.' }));
      }

      const hints = hintSentences(quote);
      if (hints.length) {
        parts.push(el('h3', { text: 'Hints' }),
          el('ul', { className: 'qv-hints' }, hints.map((h) => el('li', { text: h }))));
      }

      if (refused.length) {
        parts.push(el('h3', { text: 'Not issued' }),
          el('ul', { className: 'qv-refused' }, refused.map((q) => el('li', {}, [
            el('span', { className: 'qv-product', text: `${q.name} (${q.code}), ${formatFace(q.face)}: ` }),
            q.refusal || 'Cannot be issued.'
          ]))));
      }

      results.replaceChildren(...parts);
      results.hidden = false;

      const cheapest = issued[0];
      status.textContent = cheapest
        ? `${issued.length} ${issued.length === 1 ? 'product' : 'products'} priced, cheapest first: `
          + `${cheapest.name} at ${formatMoney(cheapest.modal.annual)} a year`
          + `${refused.length ? `; ${refused.length} not issued` : ''}.`
        : `No product can be issued for this client${refused.length ? `: ${refused.length} refused` : ''}.`;
    }

    function quoteRow(line, modeIndex) {
      const corrections = (line.corrections || []).length
        ? el('ul', { className: 'qv-corrections' }, line.corrections.map((c) => el('li', { text: c })))
        : null;
      const button = el('button', {
        type: 'button', className: 'qv-secondary qv-pdf',
        'data-code': line.code, 'data-face': line.face,
        'aria-label': `Proposal PDF for ${line.name}, ${formatFace(line.face)}`,
        text: 'Proposal PDF'
      });
      const message = el('p', { className: 'qv-row-message', role: 'status' });
      button.addEventListener('click', () => downloadProposal(line, button, message));
      return el('tr', { role: 'row', 'data-code': line.code, 'data-face': line.face }, [
        el('th', { scope: 'row', role: 'rowheader', className: 'qv-product-cell' }, [
          el('span', { className: 'qv-product', text: line.name }), ' ',
          el('span', { className: 'qv-code', text: line.code }), corrections
        ]),
        el('td', { role: 'cell', className: 'qv-num qv-face', 'data-label': 'Face', text: formatFace(line.face) }),
        ...MODES.map(([, label, key], i) => el('td', {
          role: 'cell', className: `qv-num qv-${key}${i === modeIndex ? ' qv-chosen' : ''}`,
          'data-label': label, text: formatMoney(line.modal[key])
        })),
        el('td', { role: 'cell', className: 'qv-action' }, [button, message])
      ]);
    }

    async function downloadProposal(line, button, message) {
      if (button.getAttribute('aria-busy') === 'true') return;
      const body = Object.assign({}, quotedInput, agentInput(), { product: [line.code], face: [line.face] });
      button.setAttribute('aria-busy', 'true');
      button.textContent = 'Making PDF…';
      message.textContent = '';
      try {
        const response = await fetch(`${base}/v1/proposals`, {
          method: 'POST',
          headers: { 'Content-Type': 'application/json', 'Accept': 'application/pdf' },
          body: JSON.stringify(body)
        });
        if (!response.ok) {
          const messages = await errorsOf(response);
          if (messages.some((m) => /agent information is missing/i.test(m))) {
            message.textContent = 'The proposal prints the agent: fill in the name, address, city, state '
              + 'and ZIP code under "Agent on the proposal", then ask again.';
            askForAgent();
          } else {
            message.textContent = messages.join(' ');
          }
          return;
        }
        const blob = await response.blob();
        const url = URL.createObjectURL(blob);
        const link = el('a', { href: url, download: `proposal-${line.code}.pdf`, hidden: true });
        document.body.append(link);
        link.click();
        link.remove();
        // The download has taken the blob by the next turn; keep the memory no longer.
        setTimeout(() => URL.revokeObjectURL(url), 60000);
        message.textContent = `Saved proposal-${line.code}.pdf`;
      } catch (error) {
        message.textContent = 'The proposal could not be fetched: the server could not be reached. Try again.';
      } finally {
        button.removeAttribute('aria-busy');
        button.textContent = 'Proposal PDF';
      }
    }

    fetch(`${base}/v1/version`, { headers: { 'Accept': 'application/json' } })
      .then((response) => (response.ok ? response.json() : null))
      .then((version) => {
        if (!version) return;
        const rateSet = String(version.rateSet || '').slice(0, 12);
        footer.textContent = `Quoravel ${version.version}` + (rateSet ? ` · rate set ${rateSet}` : '');
        if (rateSet && version.rateFiles) footer.title = `Rate set ${version.rateSet}: ${version.rateFiles} rate files`;
      })
      .catch(() => { /* the footer stays empty: the quote itself says what is wrong */ });

    // Inside a frame, tell the host page the height the quote needs, so it
    // can size the frame without a scroll bar of its own.
    if (container.hasAttribute('data-standalone') && window.parent !== window
        && typeof ResizeObserver === 'function') {
      new ResizeObserver(() => {
        window.parent.postMessage({ type: 'quoravel-quote-height',
          height: Math.ceil(document.body.getBoundingClientRect().height) }, '*');
      }).observe(document.body);
    }
  }

  if (document.readyState === 'loading') document.addEventListener('DOMContentLoaded', mount);
  else mount();
})();
