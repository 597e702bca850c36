// The lesson panel beside the window: the open lesson's present step, Back and Next, the
// student's answer where the step asks a question, and Check. The lesson itself (steps, setups,
// locks, checks) is the core's; the panel shows lessonState() and passes the student's acts on.
import { readPicked } from './setup_share.js';

const $ = (selector) => document.querySelector(selector);

// Paragraphs are separated by blank lines; the line breaks inside one are where the author
// wrapped the text.
function paragraphs(text) {
  return text.split(/\n\s*\n/).map((p) => p.trim()).filter((p) => p).map((p) => {
    const el = document.createElement('p');
    el.textContent = p.replace(/\s*\n\s*/g, ' ');
    return el;
  });
}

// Returns File's Open Lesson command and Help's group of the shipped lessons, for the menu bar.
export function installLessonPanel(app, Module, userEvent) {
  // The panel takes the page's side area: the window fits itself again when it shows or hides.
  const relayout = () => window.linklab.refit();
  const panel = $('#lesson-panel');
  const part = (name) => panel.querySelector(`.${name}`);
  const answer = part('answer'), verdict = part('verdict');

  const show = () => {
    const s = JSON.parse(app.lessonState());
    if (!s.open) return;
    part('lesson-title').textContent = s.title;
    part('step-count').textContent = `Step ${s.step} of ${s.count}`;
    const heading = document.createElement('h3');
    heading.textContent = s.stepTitle;
    part('prose').replaceChildren(heading, ...paragraphs(s.intro), ...paragraphs(s.prose));
    part('prose').scrollTop = 0;
    part('question-text').textContent = s.question;
    part('question').hidden = !s.question;
    answer.value = s.answer;
    verdict.textContent = '';
    verdict.className = 'verdict';
    part('back').disabled = s.step <= 1;
    part('next').disabled = s.step >= s.count;
    if (panel.hidden) {
      panel.hidden = false;
      relayout();
    }
  };
  // Every act goes through the page's user event, which skips it while a message is open and
  // brings the window up to date (a step's setup) afterwards.
  const act = (handler) => userEvent(() => { if (handler()) show(); });

  const fileInput = $('#lesson-file');
  readPicked(fileInput, (text, name) => act(() => app.openLessonText(text, name)));

  part('back').addEventListener('click', () => act(() => app.lessonGo(-1)));
  part('next').addEventListener('click', () => act(() => app.lessonGo(1)));
  const check = () => {
    const { verdict: kind, message } = JSON.parse(app.lessonCheck());
    verdict.textContent = kind === 'none' ? 'This step has no check.' : message;
    verdict.className = `verdict ${kind}`;
  };
  part('check').addEventListener('click', check);
  answer.addEventListener('input', () => {
    app.lessonAnswer(answer.value);
    verdict.textContent = '';  // the verdict was about the answer before
    verdict.className = 'verdict';
  });
  answer.addEventListener('keydown', (e) => { if (e.key === 'Enter') check(); });
  part('close').addEventListener('click', () => {
    panel.hidden = true;  // the lesson keeps its place; picking it again comes back to it
    relayout();
  });

  return {
    openItem: { label: 'Open Lesson\u2026', id: 'open-lesson', action: () => fileInput.click() },
    // Help > Lessons: the shipped lessons by title.
    menuGroup: { group: 'Lessons', items: JSON.parse(Module.WebApp.lessonList()).map(({ name, title }) =>
      ({ label: title, id: `lesson-${name}`, action: () => act(() => app.openLesson(name)) })) },
  };
}
